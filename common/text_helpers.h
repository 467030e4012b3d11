#pragma once
// The small text rules both programs share. Positions are 1-based where the
// rule is stated that way (FindLast), matching how callers report them.

#include <string>
#include <string_view>

namespace qb {

// The text before its first NUL character; the whole text if it has none.
std::u16string CutAtNull(std::u16string_view text);

// The n-th (1-based) field of text split at separator; empty when there are
// fewer fields. Exact comparison, no case or width folding.
std::u16string GetField(std::u16string_view text, int n, std::u16string_view separator);

// Every non-overlapping occurrence of search replaced, left to right. An
// empty search text leaves the text unchanged.
std::u16string ReplaceText(std::u16string_view text, std::u16string_view search, std::u16string_view replacement);

// 1-based position of the last occurrence of part in text; 0 when there is
// none or either is empty.
int FindLast(std::u16string_view text, std::u16string_view part);

// The text without one pair of enclosing double quotes.
std::u16string StripQuotes(std::u16string_view text);

// Leading and trailing blanks (U+0020 only) removed.
std::u16string Trim(std::u16string_view text);

// Padded with blanks or cut to exactly width UTF-16 units: how a fixed-width
// field of the book header holds its text.
std::u16string FitToChars(std::u16string_view text, std::size_t width);

}  // namespace qb
