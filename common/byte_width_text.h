#pragma once
// Fitting texts to a width counted in code page 932 bytes, the unit in which
// a book stores its fixed-width fields (one byte per ASCII or half-width
// character, two per full-width character).

#include <cstddef>
#include <string>
#include <string_view>

namespace qb {

std::size_t ByteWidth(std::u16string_view text);

// Exactly width bytes: cut at the width, padded with blanks. A double-byte
// character that would straddle the width is dropped and replaced by a
// blank, so the result never holds half a character.
std::u16string FitToBytes(std::u16string_view text, std::size_t width);

}  // namespace qb
