#pragma once
// Numbers the Editor takes from text: the price box at export and the
// definition file's 価格 and 画像数 values. None of them can fail: text
// that holds no usable number gives a documented value instead, so a
// stray character or a hand-edited file never stops the Editor.

#include <cstdint>
#include <string>
#include <string_view>

namespace qb::editor {

// The number the text begins with. Blanks, tabs and line feeds are ignored
// wherever they stand; then an optional sign, digits, an optional decimal
// point with more digits and an optional exponent ("E" or "D", either case,
// with optional sign and digits) are read up to the first character that
// cannot continue the number. "&H" and "&O" (either case) introduce a
// hexadecimal or octal integer, read as a non-negative value. A text
// without a number gives 0; a number too large for a double gives an
// infinity of its sign.
double LeadingNumber(std::u16string_view text);

// Rounded to the nearest whole number, halves to the even neighbour
// (12.5 -> 12, 13.5 -> 14).
double RoundHalfEven(double value);

// The price: LeadingNumber rounded half to even, clamped to the int32 range
// ("9E99" gives 2147483647, "-9E99" -2147483648).
std::int32_t ParsePriceText(std::u16string_view text);

// The page count of a definition file: read like a price, and 0 (no images)
// unless the result lies in 1 .. 32767. A larger count cannot come from any
// Editor (a book holds at most 32,767 pages), so it marks a damaged value.
std::int16_t ParsePageCountText(std::u16string_view text);

// The value as the Editor writes numbers: decimal, a sign only when negative.
std::u16string DecimalText(long long value);

}  // namespace qb::editor
