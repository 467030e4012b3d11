#pragma once
// Preparing the free texts (comment, home page, mail address) for a book's
// text block.

#include <string>
#include <string_view>

namespace qb {

// Every line break (LF, CR or CR LF) as CR LF, the form the book stores.
std::u16string NormalizeLineBreaks(std::u16string_view text);

// The text without DEL (U+007F): the text block separates its fields with
// that byte, so one inside a text would shift the fields after it.
std::u16string RemoveFieldSeparators(std::u16string_view text);

}  // namespace qb
