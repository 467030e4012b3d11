#pragma once
// Natural name order: runs of digits compare by their number, so "page9"
// comes before "page10"; the rest compares letter by letter, ignoring the
// case of ASCII letters.

#include <string_view>

namespace qb::editor {

// A strict weak ordering for std::sort. Names equal but for the case of
// their letters or the leading zeros of their numbers fall back to plain
// code-unit order, so no two different names compare equal.
bool NaturalLess(std::u16string_view a, std::u16string_view b);

}  // namespace qb::editor
