#pragma once
// Limits every page picture must keep: a book stores page sizes as 16-bit
// numbers, a page's 32-bit pixels travel as one array of at most 2 GB, and
// decoding must not take more memory than the largest such page.

#include <QString>
#include <cstdint>
#include <limits>

namespace qb {

inline constexpr int kMaxPictureSide = 32767;
inline constexpr std::int64_t kMaxPicturePixels = std::numeric_limits<std::int32_t>::max() / 4;

// The largest picture file read: above any page picture an author binds (an
// uncompressed 24-bit bitmap of 13000 x 13000 pixels still fits), and far
// below the memory that reading a device or a huge file would take.
inline constexpr std::uint64_t kMaxPictureFileBytes = std::uint64_t{512} << 20;

// QImageReader's allocation limit, in MB: just enough for a 32-bit picture
// of the most pixels allowed.
inline constexpr int kDecodeAllocationLimitMb = 2048;
static_assert(kMaxPicturePixels * 4 <= std::int64_t{kDecodeAllocationLimitMb} << 20);
static_assert(kMaxPicturePixels * 4 > std::int64_t{kDecodeAllocationLimitMb - 1} << 20);

// True when a picture of this size may be loaded: at least one pixel, at
// most kMaxPictureSide pixels either way and kMaxPicturePixels in all.
constexpr bool PictureSizeAllowed(std::int64_t width, std::int64_t height) {
  return width >= 1 && height >= 1 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels;
}

// Why a picture of this size (not PictureSizeAllowed, but with pixels) is refused.
inline QString PictureSizeRefusal(std::int64_t width, std::int64_t height) {
  const QString size = QStringLiteral("the picture is %1 x %2 pixels, ").arg(width).arg(height);
  if (width > kMaxPictureSide || height > kMaxPictureSide) {
    return size + QStringLiteral("more than %1 either way").arg(kMaxPictureSide);
  }
  return size + QStringLiteral("more than the %1 pixels a page holds").arg(kMaxPicturePixels);
}

}  // namespace qb
