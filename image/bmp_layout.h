#pragma once
// Where a Windows bitmap file keeps what its readers look at: the sizes of
// its headers and the encodings its info header names.

#include <QtGlobal>
#include <cstdint>

namespace qb::bmp {

inline constexpr qsizetype kFileHeaderSize = 14;
inline constexpr std::uint32_t kCoreHeaderSize = 12;
inline constexpr std::uint32_t kInfoHeaderSize = 40;
// Info headers extended by the red, green and blue masks (V2), then alpha (V3).
inline constexpr std::uint32_t kV2HeaderSize = 52;
inline constexpr std::uint32_t kV3HeaderSize = 56;
inline constexpr std::uint32_t kOs2HeaderSize = 64;
inline constexpr std::uint32_t kV4HeaderSize = 108;
inline constexpr std::uint32_t kV5HeaderSize = 124;

inline constexpr std::uint32_t kRgb = 0;
inline constexpr std::uint32_t kRle8 = 1;
inline constexpr std::uint32_t kRle4 = 2;
inline constexpr std::uint32_t kBitFields = 3;
inline constexpr std::uint32_t kAlphaBitFields = 6;

}  // namespace qb::bmp
