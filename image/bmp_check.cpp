#include "image/bmp_check.h"

#include <QString>
#include <algorithm>
#include <cstdint>

#include "image/bmp_layout.h"
#include "image/bmp_rle.h"
#include "image/byte_fields.h"
#include "image/picture_limits.h"
#include "image/qt_failure.h"

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

bool KnownHeaderSize(std::uint32_t size) {
  return size == kCoreHeaderSize || size == kInfoHeaderSize || size == kV2HeaderSize || size == kV3HeaderSize ||
         size == kOs2HeaderSize || size == kV4HeaderSize || size == kV5HeaderSize;
}

bool KnownEncoding(std::uint32_t headerSize, std::uint16_t bits, std::uint32_t compression) {
  switch (compression) {
    case kRgb: return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case kRle8: return bits == 8;
    case kRle4: return bits == 4;
    case kBitFields:
    case kAlphaBitFields:
      // In the OS/2 header these numbers mean Huffman and 24-bit run-length
      // coding, which nothing here decodes.
      return headerSize != kOs2HeaderSize && (bits == 16 || bits == 32);
    default: return false;
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

// The masks of a bit-field bitmap: inside a V2 header or larger, otherwise
// three (or, with alpha bit fields, four) following the info header. Returns
// the bytes they take after the header.
qsizetype ReadMasks(QByteArrayView file, const BmpHeader& h, PixelMasks* masks) {
  const qsizetype at = kFileHeaderSize + kInfoHeaderSize;
  const bool inHeader = h.headerSize >= kV2HeaderSize;
  const int count = inHeader ? (h.headerSize >= kV3HeaderSize ? 4 : 3) : (h.compression == kAlphaBitFields ? 4 : 3);
  const qsizetype after = inHeader ? 0 : count * 4;
  if (at + count * 4 > file.size()) return after;
  masks->red = U32Le(file, at);
  masks->green = U32Le(file, at + 4);
  masks->blue = U32Le(file, at + 8);
  masks->alpha = count == 4 ? U32Le(file, at + 12) : 0;
  return after;
}

}  // namespace

Outcome CheckBmpFile(QByteArrayView file, BmpLayout* layout) { return CheckBmpHead(file, file.size(), layout); }

Outcome CheckBmpHead(QByteArrayView file, std::int64_t fileSize, BmpLayout* layout) {
  if (file.size() < kFileHeaderSize + 4 || file[0] != 'B' || file[1] != 'M')
    return QtFailure(QStringLiteral("not a bitmap file"));
  const std::uint32_t headerSize = U32Le(file, kFileHeaderSize);
  if (!KnownHeaderSize(headerSize))
    return QtFailure(QStringLiteral("unsupported bitmap header of %1 bytes").arg(headerSize));
  if (file.size() < kFileHeaderSize + static_cast<qsizetype>(headerSize))
    return QtFailure(QStringLiteral("the bitmap header is cut short"));

  const BmpHeader h = ReadHeader(file, headerSize);
  const std::int64_t rows = h.height < 0 ? -h.height : h.height;
  if (h.width <= 0 || rows == 0) return QtFailure(QStringLiteral("the bitmap has no pixels"));
  if (!PictureSizeAllowed(h.width, rows)) return QtFailure(PictureSizeRefusal(h.width, rows));
  if (h.planes != 1) return QtFailure(QStringLiteral("the bitmap header is damaged"));
  if (!KnownEncoding(headerSize, h.bitCount, h.compression))
    return QtFailure(
        QStringLiteral("unsupported bitmap encoding (%1 bits, compression %2)").arg(h.bitCount).arg(h.compression));
  const bool rle = h.compression == kRle4 || h.compression == kRle8;
  if (rle && h.height < 0) return QtFailure(QStringLiteral("a compressed bitmap cannot run top-down"));

  BmpLayout out;
  out.width = static_cast<int>(h.width);
  out.height = static_cast<int>(rows);
  out.topDown = h.height < 0;
  out.bitCount = h.bitCount;
  out.compression = h.compression;

  qsizetype maskBytes = 0;
  if (h.compression == kBitFields || h.compression == kAlphaBitFields) {
    maskBytes = ReadMasks(file, h, &out.masks);
  } else {
    out.masks = h.bitCount == 16 ? kRgb555Masks : kRgb888Masks;
  }
  std::int64_t colors = 0;
  if (h.bitCount <= 8) {
    colors = (headerSize == kCoreHeaderSize || h.colorsUsed == 0) ? std::int64_t{1} << h.bitCount : h.colorsUsed;
    if (colors > 256) return QtFailure(QStringLiteral("the bitmap's colour table is damaged"));
  }
  const std::int64_t entrySize = headerSize == kCoreHeaderSize ? 3 : 4;
  const std::int64_t tablesEnd = kFileHeaderSize + headerSize + maskBytes + colors * entrySize;
  if (tablesEnd > file.size()) return QtFailure(QStringLiteral("the bitmap's colour table is cut short"));
  if (h.bitCount == 16 || h.bitCount == 32) {
    const QString fault = MaskFault(out.masks, h.bitCount);
    if (!fault.isEmpty()) return QtFailure(fault);
  }
  // A table may list more colours than the pixels can index.
  const std::int64_t usable = std::min(colors, std::int64_t{1} << std::min<int>(h.bitCount, 8));
  const qsizetype tableStart = kFileHeaderSize + headerSize + maskBytes;
  for (std::int64_t i = 0; i < usable; ++i) {
    const qsizetype at = tableStart + i * entrySize;
    out.palette.push_back(qRgb(ByteAt(file, at + 2), ByteAt(file, at + 1), ByteAt(file, at)));
  }

  // The stored pixel offset is honoured only when it lies past the tables.
  out.pixelStart = std::max<std::int64_t>(U32Le(file, 10), tablesEnd);
  if (rle && file.size() < fileSize) {
    out.streamChecked = false;
  } else if (rle) {
    const QByteArrayView stream = out.pixelStart < file.size() ? file.sliced(out.pixelStart) : QByteArrayView();
    const RleFault fault =
        CheckRleStream(stream, h.bitCount, out.width, out.height, static_cast<int>(out.palette.size()));
    if (fault != RleFault::None) return QtFailure(RleFaultText(fault));
  } else {
    // Whole rows, padding included.
    const std::int64_t stride = (h.width * h.bitCount + 31) / 32 * 4;
    if (out.pixelStart + stride * rows > fileSize)
      return QtFailure(QStringLiteral("the bitmap's pixel data ends early"));
  }
  if (layout) *layout = std::move(out);
  return Outcome::Success();
}

}  // namespace qb
