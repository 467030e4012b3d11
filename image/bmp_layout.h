#pragma once
// Where a Windows bitmap file keeps what its readers look at: the sizes of
// its headers and the encodings its info header names.

#include <QtGlobal>
#include <cstdint>

namespace qb::bmp {

inline constexpr qsizetype kFileHeaderSize = 14;
inline constexpr std::uint32_t kCoreHeaderSize = 12;
inline constexpr std::uint32_t kInfoHeaderSize = 40;

inline constexpr std::uint32_t kRgb = 0;
inline constexpr std::uint32_t kRle8 = 1;
inline constexpr std::uint32_t kRle4 = 2;
inline constexpr std::uint32_t kBitFields = 3;

}  // namespace qb::bmp
