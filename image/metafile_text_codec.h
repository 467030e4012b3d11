#pragma once
// Decoding the byte strings of text records. The system runs on Windows
// Japanese, so the default character set means code page 932 just like the
// Shift-JIS set; every other set is read as Windows Western (code page 1252).

#include <QString>
#include <cstdint>
#include <span>
#include <vector>

namespace qb::wmf {

// One character of a text record and how many bytes it took: the spacing
// array of ExtTextOut has one entry per byte, and a double-byte character
// advances by the sum of its two entries.
struct TextChar {
  QString text;
  int bytes = 1;
};

bool UsesCodePage932(uint8_t charset);
std::vector<TextChar> DecodeTextBytes(std::span<const uint8_t> bytes, uint8_t charset);
// Face names are stored in the system code page and end at the first NUL.
QString DecodeFaceName(std::span<const uint8_t> bytes);

}  // namespace qb::wmf
