#pragma once
// Limits every page picture must keep: a book stores page sizes as 16-bit
// numbers, and decoding must not take more memory than the largest such page.

#include <cstdint>

namespace qb {

inline constexpr int kMaxPictureSide = 32767;

// QImageReader's allocation limit, in MB: just enough for a 32-bit picture of
// the largest allowed size.
inline constexpr int kDecodeAllocationLimitMb = 4096;
static_assert(std::int64_t{kMaxPictureSide} * kMaxPictureSide * 4 <=
              std::int64_t{kDecodeAllocationLimitMb} << 20);
static_assert(std::int64_t{kMaxPictureSide} * kMaxPictureSide * 4 >
              std::int64_t{kDecodeAllocationLimitMb - 1} << 20);

// True when a picture of this size may be loaded: at least one pixel and at
// most kMaxPictureSide pixels either way.
constexpr bool PictureSizeAllowed(std::int64_t width, std::int64_t height) {
  return width >= 1 && height >= 1 && width <= kMaxPictureSide && height <= kMaxPictureSide;
}

}  // namespace qb
