#include "image/bmp_rle.h"

#include <cstdint>

#include "image/byte_fields.h"

namespace qb::bmp {

namespace {

constexpr std::uint8_t kEndOfLine = 0;
constexpr std::uint8_t kEndOfBitmap = 1;
constexpr std::uint8_t kDelta = 2;

// Walks the stream, calling put(x, row, index) for every pixel it sets, rows
// counted from the bottom. The checking and the drawing walk are one code, so
// that what was checked is what is drawn.
template <typename Put>
RleFault WalkRle(QByteArrayView s, int bitsPerPixel, std::int64_t width, std::int64_t rows, int paletteSize,
                 Put&& put) {
  const qsizetype n = s.size();
  const bool rle8 = bitsPerPixel == 8;
  qsizetype pos = 0;
  std::int64_t x = 0;
  std::int64_t y = 0;
  while (true) {
    if (pos + 2 > n) return y >= rows ? RleFault::None : RleFault::EndsEarly;
    const std::uint8_t count = ByteAt(s, pos);
    const std::uint8_t code = ByteAt(s, pos + 1);
    pos += 2;
    if (count != 0) {  // a run of one index (RLE8) or of two alternating ones (RLE4)
      if (y >= rows) return RleFault::PastLastRow;
      if (x + count > width) return RleFault::RunPastRow;
      const int first = rle8 ? code : code >> 4;
      const int second = rle8 ? code : code & 0x0F;
      if (first >= paletteSize || (count > 1 && second >= paletteSize)) return RleFault::IndexPastPalette;
      for (int i = 0; i < count; ++i) put(x + i, y, (i & 1) ? second : first);
      x += count;
      continue;
    }
    switch (code) {
      case kEndOfLine:
        x = 0;
        ++y;
        break;
      case kEndOfBitmap: return RleFault::None;
      case kDelta:
        if (pos + 2 > n) return RleFault::EndsEarly;
        x += ByteAt(s, pos);
        y += ByteAt(s, pos + 1);
        pos += 2;
        if (x > width || y >= rows) return RleFault::DeltaPastPicture;
        break;
      default: {  // literal indices, padded to a 16-bit boundary
        const qsizetype bytes = rle8 ? code : (code + 1) / 2;
        if (pos + bytes > n) return RleFault::EndsEarly;
        if (y >= rows) return RleFault::PastLastRow;
        if (x + code > width) return RleFault::RunPastRow;
        for (int i = 0; i < code; ++i) {
          const std::uint8_t byte = ByteAt(s, pos + (rle8 ? i : i / 2));
          const int index = rle8 ? byte : ((i & 1) ? byte & 0x0F : byte >> 4);
          if (index >= paletteSize) return RleFault::IndexPastPalette;
          put(x + i, y, index);
        }
        pos += bytes + (bytes & 1);
        x += code;
        break;
      }
    }
  }
}

}  // namespace

QString RleFaultText(RleFault fault) {
  switch (fault) {
    case RleFault::None: return {};
    case RleFault::EndsEarly: return QStringLiteral("the bitmap's compressed pixel data ends early");
    case RleFault::RunPastRow: return QStringLiteral("the bitmap's compressed pixels run past the end of a row");
    case RleFault::PastLastRow: return QStringLiteral("the bitmap's compressed pixels run past its last row");
    case RleFault::DeltaPastPicture: return QStringLiteral("the bitmap's compressed pixels move outside the picture");
    case RleFault::IndexPastPalette:
      return QStringLiteral("the bitmap's pixels use colours its colour table does not have");
  }
  return {};
}

RleFault CheckRleStream(QByteArrayView stream, int bitsPerPixel, int width, int height, int paletteSize) {
  return WalkRle(stream, bitsPerPixel, width, height, paletteSize, [](std::int64_t, std::int64_t, int) {});
}

void DrawRleStream(QByteArrayView stream, int bitsPerPixel, std::span<const QRgb> palette, QImage& canvas) {
  uchar* const bits = canvas.bits();
  const qsizetype stride = canvas.bytesPerLine();
  const std::int64_t bottom = canvas.height() - 1;
  WalkRle(stream, bitsPerPixel, canvas.width(), canvas.height(), static_cast<int>(palette.size()),
          [&](std::int64_t x, std::int64_t y, int index) {
            reinterpret_cast<QRgb*>(bits + (bottom - y) * stride)[x] = palette[index];
          });
}

}  // namespace qb::bmp
