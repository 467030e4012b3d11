#pragma once
// Byte-exact Windows code page 932 conversion (the behaviour of
// MultiByteToWideChar / WideCharToMultiByte with flags 0). Plain Shift_JIS
// converters (iconv, ICU, Qt) differ in dozens of places, and book files,
// definition files and settings must match what Windows writes and reads.

#include <cstddef>
#include <string>
#include <string_view>

namespace qb::cp932 {

// Decodes code page 932 bytes into UTF-16. Never fails: unmapped pairs and
// truncated lead bytes become U+30FB exactly as Windows produces them.
std::u16string Decode(std::string_view bytes);

// Encodes UTF-16 into code page 932, one UTF-16 unit at a time, with Windows'
// best-fit mappings. Units without a mapping become "?" (0x3F); usedDefault,
// when given, tells whether that happened.
std::string Encode(std::u16string_view text, bool* usedDefault = nullptr);

}  // namespace qb::cp932
