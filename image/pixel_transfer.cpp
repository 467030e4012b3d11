#include "image/pixel_transfer.h"

#include <limits>

namespace qb {

namespace {

constexpr std::uint32_t kColourBits = 0x00FFFFFFu;
constexpr std::uint32_t kOpaque = 0xFF000000u;

}  // namespace

bool TransferSizeAllowed(int width, int height) {
  return width > 0 && height > 0 && std::int64_t{width} * height * 4 <= std::numeric_limits<std::int32_t>::max();
}

std::int32_t PictureToPixels(const QImage& surface, PixelArray& pixels) {
  if (surface.isNull() || !TransferSizeAllowed(surface.width(), surface.height())) return -1;
  const int width = surface.width();
  const int height = surface.height();
  const bool direct = surface.format() == QImage::Format_RGB32 || surface.format() == QImage::Format_ARGB32;
  const QImage source = direct ? surface : surface.convertToFormat(QImage::Format_RGB32);
  if (source.isNull()) return -1;

  const std::size_t count = static_cast<std::size_t>(width) * height;
  pixels.assign(count + 1, 0);
  std::uint32_t* out = pixels.data();
  for (int row = height - 1; row >= 0; --row) {
    const auto* line = reinterpret_cast<const std::uint32_t*>(source.constScanLine(row));
    for (int x = 0; x < width; ++x) *out++ = line[x] & kColourBits;
  }
  return static_cast<std::int32_t>(count);
}

std::int32_t PixelsToPicture(QImage& surface, const PixelArray& pixels) {
  if (surface.isNull() || !TransferSizeAllowed(surface.width(), surface.height())) return -1;
  const int width = surface.width();
  const int height = surface.height();
  if (pixels.size() < static_cast<std::size_t>(width) * height) return -1;

  // A surface already in the 32-bit format is written in place: a fresh
  // picture per page would cost a page fault for every 4 KiB of it.
  if (surface.format() != QImage::Format_RGB32) {
    QImage converted(width, height, QImage::Format_RGB32);
    if (converted.isNull()) return -1;
    surface = std::move(converted);
  }
  const std::uint32_t* in = pixels.data();
  for (int row = height - 1; row >= 0; --row) {
    auto* line = reinterpret_cast<std::uint32_t*>(surface.scanLine(row));
    for (int x = 0; x < width; ++x) line[x] = kOpaque | (*in++ & kColourBits);
  }
  return 0;
}

}  // namespace qb
