#pragma once
// Decoding the byte strings of text records and face names. Windows decodes
// a font's text in the code page of the font's character set; the system
// (default and OEM) code page here is Windows Japanese, 932, decoded by our
// own exact codec, the other code pages by the C library's converter. Text of
// the Symbol font becomes the Unicode characters of its glyphs.

#include "image/metafile/metafile_gdi_objects.h"

#include <QString>
#include <cstdint>
#include <span>
#include <vector>

namespace qb::wmf {

// Character sets of a logical font beyond those of metafile_gdi_objects.h.
inline constexpr uint8_t kSymbolCharset = 2;
inline constexpr uint8_t kMacCharset = 77;
inline constexpr uint8_t kHangulCharset = 129;
inline constexpr uint8_t kJohabCharset = 130;
inline constexpr uint8_t kGb2312Charset = 134;
inline constexpr uint8_t kChineseBig5Charset = 136;
inline constexpr uint8_t kGreekCharset = 161;
inline constexpr uint8_t kTurkishCharset = 162;
inline constexpr uint8_t kVietnameseCharset = 163;
inline constexpr uint8_t kHebrewCharset = 177;
inline constexpr uint8_t kArabicCharset = 178;
inline constexpr uint8_t kBalticCharset = 186;
inline constexpr uint8_t kRussianCharset = 204;
inline constexpr uint8_t kThaiCharset = 222;
inline constexpr uint8_t kEastEuropeCharset = 238;
inline constexpr uint8_t kOemCharset = 255;

inline constexpr int kSystemCodePage = 932;
// Windows' number for "the symbol font's own glyphs".
inline constexpr int kSymbolCodePage = 42;

// The code page a font of this character set decodes its text in. Sets
// Windows does not know fall back to the system code page, as GDI does.
int CodePageOfCharset(uint8_t charset);

// The C library converter's name for a Windows code page; nullptr for the
// system and symbol code pages, which are decoded here.
const char* ConverterNameOfCodePage(int codePage);

// The Unicode character of a byte in the Symbol font. Bytes without a glyph
// there keep the private-use character U+F000 + byte through which Windows
// reaches a symbol font's glyphs.
char16_t SymbolFontChar(uint8_t byte);

// One character of a text record and how many bytes it took: the spacing
// array of ExtTextOut has one entry per byte, and a double-byte character
// advances by the sum of its two entries.
struct TextChar {
  QString text;
  int bytes = 1;
};

// The text of a font with this character set and face name. A byte the code
// page leaves undefined stands for itself (as U+0000-U+00FF, as Windows maps
// the holes of its single-byte code pages); an undefined or cut double-byte
// character becomes U+FFFD. Combining marks join the character before them.
std::vector<TextChar> DecodeTextBytes(std::span<const uint8_t> bytes, uint8_t charset, const QString& faceName);

// Face names are stored in the font's code page and end at the first NUL.
QString DecodeFaceName(std::span<const uint8_t> bytes, uint8_t charset);

}  // namespace qb::wmf
