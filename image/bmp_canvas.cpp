#include "image/bmp_canvas.h"

#include <cstdint>

#include "image/picture_limits.h"

namespace qb {
namespace {

constexpr qsizetype kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;

std::uint32_t U32Le(QByteArrayView data, qsizetype at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<std::uint8_t>(data[at + i]);
  return value;
}

}  // namespace

QImage RleCanvas(QByteArrayView bmpFile) {
  if (bmpFile.size() < kFileHeaderSize + kInfoHeaderSize) return {};
  if (U32Le(bmpFile, kFileHeaderSize) < kInfoHeaderSize) return {};  // core headers cannot compress
  const std::uint32_t compression = U32Le(bmpFile, kFileHeaderSize + 16);
  if (compression != kRle8 && compression != kRle4) return {};
  const auto width = static_cast<std::int32_t>(U32Le(bmpFile, kFileHeaderSize + 4));
  const auto height = static_cast<std::int32_t>(U32Le(bmpFile, kFileHeaderSize + 8));
  // Compressed bitmaps run bottom-up (a positive height); any other size gets
  // no canvas and is the checks' to refuse.
  if (!PictureSizeAllowed(width, height)) return {};
  QImage canvas(width, height, QImage::Format_Indexed8);
  if (canvas.isNull()) return {};
  canvas.fill(0);
  return canvas;
}

}  // namespace qb
