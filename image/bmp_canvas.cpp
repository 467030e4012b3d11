#include "image/bmp_canvas.h"

#include <cstdint>

#include "image/bmp_layout.h"
#include "image/byte_fields.h"
#include "image/picture_limits.h"

namespace qb {

using namespace bmp;

QImage RleCanvas(QByteArrayView bmpFile) {
  if (bmpFile.size() < kFileHeaderSize + kInfoHeaderSize) return {};
  if (U32Le(bmpFile, kFileHeaderSize) < kInfoHeaderSize) return {};  // core headers cannot compress
  const std::uint32_t compression = U32Le(bmpFile, kFileHeaderSize + 16);
  if (compression != kRle8 && compression != kRle4) return {};
  const std::int32_t width = I32Le(bmpFile, kFileHeaderSize + 4);
  const std::int32_t height = I32Le(bmpFile, kFileHeaderSize + 8);
  // Compressed bitmaps run bottom-up (a positive height); any other size gets
  // no canvas and is the checks' to refuse.
  if (!PictureSizeAllowed(width, height)) return {};
  QImage canvas(width, height, QImage::Format_Indexed8);
  if (canvas.isNull()) return {};
  canvas.fill(0);
  return canvas;
}

}  // namespace qb
