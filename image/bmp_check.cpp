#include "image/bmp_check.h"

#include <algorithm>
#include <cstdint>

#include "image/bmp_layout.h"
#include "image/byte_fields.h"
#include "image/picture_limits.h"

namespace qb {

namespace {

using namespace bmp;

struct BmpHeader {
  std::uint32_t headerSize = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;  // negative for top-down rows
  std::uint16_t planes = 0;
  std::uint16_t bitCount = 0;
  std::uint32_t compression = kRgb;
  std::uint32_t colorsUsed = 0;
};

bool Fail(QString* why, const QString& text) {
  if (why) *why = text;
  return false;
}

// The header sizes Qt's reader understands: core, info, OS/2 2.x, V4 and V5.
bool KnownHeaderSize(std::uint32_t size) {
  return size == kCoreHeaderSize || size == kInfoHeaderSize || size == 64 || size == 108 || size == 124;
}

bool KnownEncoding(std::uint16_t bits, std::uint32_t compression) {
  switch (compression) {
    case kRgb:
      return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case kRle8:
      return bits == 8;
    case kRle4:
      return bits == 4;
    case kBitFields:
      return bits == 16 || bits == 32;
    default:
      return false;
  }
}

BmpHeader ReadHeader(QByteArrayView file, std::uint32_t headerSize) {
  BmpHeader h;
  h.headerSize = headerSize;
  const qsizetype at = kFileHeaderSize;
  if (headerSize == kCoreHeaderSize) {
    h.width = U16Le(file, at + 4);
    h.height = U16Le(file, at + 6);
    h.planes = U16Le(file, at + 8);
    h.bitCount = U16Le(file, at + 10);
    return h;
  }
  h.width = I32Le(file, at + 4);
  h.height = I32Le(file, at + 8);
  h.planes = U16Le(file, at + 12);
  h.bitCount = U16Le(file, at + 14);
  h.compression = U32Le(file, at + 16);
  h.colorsUsed = U32Le(file, at + 32);
  return h;
}

}  // namespace

bool RleStreamComplete(QByteArrayView stream, int bitsPerPixel, int rows) {
  const qsizetype n = stream.size();
  qsizetype pos = 0;
  std::int64_t row = 0;
  while (row < rows) {
    if (pos + 2 > n) return false;
    const std::uint8_t count = ByteAt(stream, pos);
    const std::uint8_t code = ByteAt(stream, pos + 1);
    pos += 2;
    if (count != 0) continue;  // a run of one colour pair
    switch (code) {
      case 0:  // end of line
        ++row;
        break;
      case 1:  // end of bitmap
        return true;
      case 2:  // move right and up
        if (pos + 2 > n) return false;
        row += ByteAt(stream, pos + 1);
        pos += 2;
        break;
      default: {  // literal pixels, padded to a 16-bit boundary
        qsizetype bytes = bitsPerPixel == 8 ? code : (code + 1) / 2;
        bytes += bytes & 1;
        if (pos + bytes > n) return false;
        pos += bytes;
        break;
      }
    }
  }
  return true;
}

bool CheckBmpFile(QByteArrayView file, QSize* size, QString* why) {
  if (file.size() < kFileHeaderSize + 4 || file[0] != 'B' || file[1] != 'M')
    return Fail(why, QStringLiteral("not a bitmap file"));
  const std::uint32_t headerSize = U32Le(file, kFileHeaderSize);
  if (!KnownHeaderSize(headerSize))
    return Fail(why, QStringLiteral("unsupported bitmap header of %1 bytes").arg(headerSize));
  if (file.size() < kFileHeaderSize + static_cast<qsizetype>(headerSize))
    return Fail(why, QStringLiteral("the bitmap header is cut short"));

  const BmpHeader h = ReadHeader(file, headerSize);
  const std::int64_t rows = h.height < 0 ? -h.height : h.height;
  if (h.width <= 0 || rows == 0) return Fail(why, QStringLiteral("the bitmap has no pixels"));
  if (!PictureSizeAllowed(h.width, rows)) return Fail(why, PictureSizeRefusal(h.width, rows));
  if (h.planes != 1) return Fail(why, QStringLiteral("the bitmap header is damaged"));
  if (!KnownEncoding(h.bitCount, h.compression))
    return Fail(why, QStringLiteral("unsupported bitmap encoding (%1 bits, compression %2)")
                         .arg(h.bitCount)
                         .arg(h.compression));
  const bool rle = h.compression == kRle4 || h.compression == kRle8;
  if (rle && h.height < 0) return Fail(why, QStringLiteral("a compressed bitmap cannot run top-down"));

  std::int64_t colors = 0;
  if (h.bitCount <= 8) {
    colors = h.colorsUsed != 0 ? h.colorsUsed : std::int64_t{1} << h.bitCount;
    if (colors > 256) return Fail(why, QStringLiteral("the bitmap's colour table is damaged"));
  }
  const std::int64_t masks = (headerSize == kInfoHeaderSize && h.compression == kBitFields) ? 12 : 0;
  const std::int64_t entrySize = headerSize == kCoreHeaderSize ? 3 : 4;
  const std::int64_t tablesEnd = kFileHeaderSize + headerSize + masks + colors * entrySize;
  if (tablesEnd > file.size()) return Fail(why, QStringLiteral("the bitmap's colour table is cut short"));

  // Like Qt's reader, honour the stored pixel offset only when it lies past
  // the tables.
  const std::int64_t pixelStart = std::max<std::int64_t>(U32Le(file, 10), tablesEnd);
  if (rle) {
    const QByteArrayView stream = pixelStart < file.size() ? file.sliced(pixelStart) : QByteArrayView();
    if (!RleStreamComplete(stream, h.bitCount, static_cast<int>(rows)))
      return Fail(why, QStringLiteral("the bitmap's compressed pixel data ends early"));
  } else {
    // Whole rows, padding included: Qt's reader leaves a row it cannot read
    // whole unset.
    const std::int64_t stride = (h.width * h.bitCount + 31) / 32 * 4;
    if (pixelStart + stride * rows > file.size())
      return Fail(why, QStringLiteral("the bitmap's pixel data ends early"));
  }
  if (size) *size = QSize(static_cast<int>(h.width), static_cast<int>(rows));
  return true;
}

}  // namespace qb
