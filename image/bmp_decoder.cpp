#include "image/bmp_decoder.h"

#include <QString>
#include <cstdint>

#include "image/bmp_check.h"
#include "image/bmp_layout.h"
#include "image/bmp_masks.h"
#include "image/bmp_rle.h"
#include "image/byte_fields.h"
#include "image/qt_failure.h"

namespace qb {

namespace {

using namespace bmp;

// One stored row of an uncompressed bitmap into line; false when a colour
// index lies past the colour table.
bool DecodeRow(const uchar* row, const BmpLayout& layout, const PixelUnpacker& unpack, QRgb* line) {
  const int width = layout.width;
  switch (layout.bitCount) {
    case 1:
    case 4:
    case 8: {
      const int bits = layout.bitCount;
      const int perByte = 8 / bits;
      const unsigned valueMask = (1u << bits) - 1;
      const auto colours = static_cast<unsigned>(layout.palette.size());
      for (int x = 0; x < width; ++x) {
        const int shift = 8 - bits * (x % perByte + 1);
        const unsigned index = (row[x / perByte] >> shift) & valueMask;
        if (index >= colours) return false;
        line[x] = layout.palette[index];
      }
      return true;
    }
    case 16:
      for (int x = 0; x < width; ++x) line[x] = unpack(row[2 * x] | (row[2 * x + 1] << 8));
      return true;
    case 24:
      for (int x = 0; x < width; ++x) line[x] = qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
      return true;
    default:
      for (int x = 0; x < width; ++x) {
        const uchar* p = row + 4 * x;
        line[x] = unpack(p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t{p[3]} << 24));
      }
      return true;
  }
}

}  // namespace

Outcome DecodeBmp(QByteArrayView file, QImage& image) {
  BmpLayout layout;
  if (Outcome checked = CheckBmpFile(file, &layout); !checked) return checked;
  QImage canvas(layout.width, layout.height, QImage::Format_RGB32);
  if (canvas.isNull()) return QtFailure(QStringLiteral("there is not enough memory for the bitmap"));

  const QByteArrayView pixels = file.sliced(layout.pixelStart);
  if (layout.compression == kRle8 || layout.compression == kRle4) {
    // Pixels the stream skips take the first colour, as in a new bitmap.
    canvas.fill(layout.palette.front());
    DrawRleStream(pixels, layout.bitCount, layout.palette, canvas);
  } else {
    const PixelUnpacker unpack(layout.masks);
    const qsizetype stride = (qsizetype{layout.width} * layout.bitCount + 31) / 32 * 4;
    const auto* data = reinterpret_cast<const uchar*>(pixels.data());
    for (int stored = 0; stored < layout.height; ++stored) {
      const int y = layout.topDown ? stored : layout.height - 1 - stored;
      if (!DecodeRow(data + stored * stride, layout, unpack, reinterpret_cast<QRgb*>(canvas.scanLine(y))))
        return QtFailure(QStringLiteral("the bitmap's pixels use colours its colour table does not have"));
    }
  }
  image = std::move(canvas);
  return Outcome::Success();
}

}  // namespace qb
