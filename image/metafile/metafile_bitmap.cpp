#include "image/metafile/metafile_bitmap.h"

#include "image/bmp_decoder.h"
#include "image/metafile/metafile_reader.h"

#include <QByteArray>
#include <array>

namespace qb::wmf {

namespace {

constexpr uint32_t kCoreHeaderBytes = 12;
constexpr uint32_t kInfoHeaderBytes = 40;
constexpr uint32_t kV2HeaderBytes = 52;
constexpr uint32_t kV3HeaderBytes = 56;
constexpr uint32_t kV4HeaderBytes = 108;
constexpr uint32_t kV5HeaderBytes = 124;
constexpr uint32_t kCompressionRle8 = 1;
constexpr uint32_t kCompressionRle4 = 2;
constexpr uint32_t kCompressionBitFields = 3;
constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kMaskBytes = 12;
constexpr size_t kBitmap16HeaderBytes = 10;

constexpr std::array<QRgb, 16> kVgaColors = {
    qRgb(0, 0, 0),     qRgb(128, 0, 0),     qRgb(0, 128, 0),     qRgb(128, 128, 0),  qRgb(0, 0, 128), qRgb(128, 0, 128),
    qRgb(0, 128, 128), qRgb(192, 192, 192), qRgb(128, 128, 128), qRgb(255, 0, 0),    qRgb(0, 255, 0), qRgb(255, 255, 0),
    qRgb(0, 0, 255),   qRgb(255, 0, 255),   qRgb(0, 255, 255),   qRgb(255, 255, 255)};

bool KnownHeaderSize(uint32_t size) {
  return size == kInfoHeaderBytes || size == kV2HeaderBytes || size == kV3HeaderBytes || size == kV4HeaderBytes ||
         size == kV5HeaderBytes;
}

bool KnownBitCount(int bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32; }

size_t Stride(int width, int bitCount) { return ((static_cast<size_t>(width) * bitCount + 31) / 32) * 4; }

void PutUInt16(QByteArray* out, uint16_t value) {
  out->append(char(value & 0xFF));
  out->append(char(value >> 8));
}

void PutUInt32(QByteArray* out, uint32_t value) {
  PutUInt16(out, static_cast<uint16_t>(value & 0xFFFF));
  PutUInt16(out, static_cast<uint16_t>(value >> 16));
}

void PutRgbQuad(QByteArray* out, QRgb color) {
  out->append(char(qBlue(color)));
  out->append(char(qGreen(color)));
  out->append(char(qRed(color)));
  out->append(char(0));
}

// The colour table as RGB values, whatever form the DIB stores it in.
std::vector<QRgb> ColorTable(const RecordParams& dib, const DibLayout& layout, uint16_t colorUsage,
                             const MetaPalette& palette) {
  std::vector<QRgb> colors;
  colors.reserve(layout.colorCount);
  for (size_t i = 0; i < layout.colorCount; ++i) {
    const size_t at = layout.colorTableOffset + i * layout.colorEntryBytes;
    if (colorUsage == kDibPalColors) {
      colors.push_back(PaletteEntry(palette, dib.UInt16(at)));
    } else {
      colors.push_back(qRgb(dib.UInt8(at + 2), dib.UInt8(at + 1), dib.UInt8(at)));
    }
  }
  return colors;
}

// The DIB rewritten as a BMP file with a plain 40-byte header, which the
// image decoder reads in every variant.
QByteArray AsBmpFile(const RecordParams& dib, const DibLayout& layout, uint16_t colorUsage,
                     const MetaPalette& palette) {
  const std::vector<QRgb> colors = ColorTable(dib, layout, colorUsage, palette);
  const bool masks = layout.compression == kCompressionBitFields;
  const size_t offBits = kFileHeaderBytes + kInfoHeaderBytes + (masks ? kMaskBytes : 0) + colors.size() * 4;
  QByteArray out;
  out.reserve(static_cast<qsizetype>(offBits + layout.bitsBytes));
  out.append("BM");
  PutUInt32(&out, static_cast<uint32_t>(offBits + layout.bitsBytes));
  PutUInt32(&out, 0);
  PutUInt32(&out, static_cast<uint32_t>(offBits));
  PutUInt32(&out, kInfoHeaderBytes);
  PutUInt32(&out, static_cast<uint32_t>(layout.width));
  PutUInt32(&out, static_cast<uint32_t>(layout.bottomUp ? layout.height : -layout.height));
  PutUInt16(&out, 1);
  PutUInt16(&out, static_cast<uint16_t>(layout.bitCount));
  PutUInt32(&out, layout.compression);
  PutUInt32(&out, static_cast<uint32_t>(layout.bitsBytes));
  PutUInt32(&out, 0);
  PutUInt32(&out, 0);
  PutUInt32(&out, static_cast<uint32_t>(colors.size()));
  PutUInt32(&out, 0);
  if (masks) {
    const auto maskBytes = dib.Bytes(layout.masksOffset, kMaskBytes);
    out.append(reinterpret_cast<const char*>(maskBytes.data()), static_cast<qsizetype>(maskBytes.size()));
  }
  for (QRgb color : colors) PutRgbQuad(&out, color);
  const auto bits = dib.Bytes(layout.bitsOffset, layout.bitsBytes);
  out.append(reinterpret_cast<const char*>(bits.data()), static_cast<qsizetype>(bits.size()));
  return out;
}

}  // namespace

BitmapStatus ParseDibLayout(std::span<const uint8_t> data, uint16_t colorUsage, DibLayout* layout) {
  const RecordParams dib(data);
  const uint32_t headerBytes = dib.UInt32(0);
  DibLayout out;
  int64_t width = 0;
  int64_t height = 0;
  int planes = 0;
  if (headerBytes == kCoreHeaderBytes) {
    if (!dib.Has(0, kCoreHeaderBytes)) return BitmapStatus::Damaged;
    width = dib.UInt16(4);
    height = dib.UInt16(6);
    planes = dib.UInt16(8);
    out.bitCount = dib.UInt16(10);
    out.colorEntryBytes = 3;
  } else if (KnownHeaderSize(headerBytes)) {
    if (!dib.Has(0, headerBytes)) return BitmapStatus::Damaged;
    width = dib.Int32(4);
    height = dib.Int32(8);
    planes = dib.UInt16(12);
    out.bitCount = dib.UInt16(14);
    out.compression = dib.UInt32(16);
    out.colorCount = dib.UInt32(32);
  } else {
    return BitmapStatus::Damaged;
  }
  out.headerBytes = headerBytes;
  out.bottomUp = height > 0;
  out.width = static_cast<int>(width);
  height = height < 0 ? -height : height;
  out.height = static_cast<int>(height);
  if (width <= 0 || height == 0 || planes != 1 || !KnownBitCount(out.bitCount) || width * height > kMaxBitmapPixels) {
    return BitmapStatus::Damaged;
  }
  if (out.compression > kCompressionBitFields) return BitmapStatus::Unsupported;
  const bool rle = out.compression == kCompressionRle8 || out.compression == kCompressionRle4;
  if ((out.compression == kCompressionRle8 && out.bitCount != 8) ||
      (out.compression == kCompressionRle4 && out.bitCount != 4) || (rle && !out.bottomUp) ||
      (out.compression == kCompressionBitFields && out.bitCount != 16 && out.bitCount != 32)) {
    return BitmapStatus::Damaged;
  }
  if (colorUsage == kDibPalColors) out.colorEntryBytes = 2;
  size_t tableEntries = out.colorCount;
  if (out.bitCount <= 8) {
    const size_t full = size_t{1} << out.bitCount;
    if (out.colorCount > full) return BitmapStatus::Damaged;
    if (out.colorCount == 0) out.colorCount = tableEntries = full;
  } else {
    out.colorCount = 0;  // an optional table for palette devices; the pixels hold their colours
  }
  size_t at = headerBytes;
  if (out.compression == kCompressionBitFields) {
    out.masksOffset = headerBytes >= kV2HeaderBytes ? kInfoHeaderBytes : headerBytes;
    if (headerBytes < kV2HeaderBytes) at += kMaskBytes;
  }
  out.colorTableOffset = at;
  at += tableEntries * out.colorEntryBytes;
  if (!dib.Has(at, 0)) return BitmapStatus::Damaged;
  out.bitsOffset = at;
  const size_t available = data.size() - at;
  if (rle) {
    const uint32_t stated = dib.UInt32(20);
    if (stated > available) return BitmapStatus::Damaged;
    out.bitsBytes = stated != 0 ? stated : available;
    if (width * height > static_cast<int64_t>(out.bitsBytes) * kMaxRlePixelsPerByte) return BitmapStatus::Unsupported;
  } else {
    out.bitsBytes = Stride(out.width, out.bitCount) * static_cast<size_t>(out.height);
    if (out.bitsBytes > available) return BitmapStatus::Damaged;
  }
  *layout = out;
  return BitmapStatus::Ok;
}

DecodedBitmap DecodeDib(std::span<const uint8_t> data, uint16_t colorUsage, const MetaPalette& palette) {
  DecodedBitmap result;
  DibLayout layout;
  result.status = ParseDibLayout(data, colorUsage, &layout);
  if (result.status != BitmapStatus::Ok) return result;
  QByteArray file = AsBmpFile(RecordParams(data), layout, colorUsage, palette);
  QImage decoded;
  if (!DecodeBmp(file, decoded) || decoded.width() != layout.width || decoded.height() != layout.height) {
    result.status = BitmapStatus::Damaged;
    return result;
  }
  result.image = decoded;
  result.bottomUp = layout.bottomUp;
  return result;
}

DecodedBitmap DecodeBitmap16(std::span<const uint8_t> data, QRgb zeroColor, QRgb oneColor, const MetaPalette& palette) {
  DecodedBitmap result;
  const RecordParams bitmap(data);
  if (!bitmap.Has(0, kBitmap16HeaderBytes)) return result;
  const int width = bitmap.Int16(2);
  const int height = bitmap.Int16(4);
  const size_t widthBytes = bitmap.UInt16(6);
  const int planes = bitmap.UInt8(8);
  const int bitCount = bitmap.UInt8(9);
  if (width <= 0 || height <= 0 || !KnownBitCount(bitCount) || int64_t{width} * height > kMaxBitmapPixels) {
    return result;
  }
  if (planes != 1) {
    result.status = BitmapStatus::Unsupported;
    return result;
  }
  if (widthBytes < (static_cast<size_t>(width) * bitCount + 7) / 8 ||
      !bitmap.Has(kBitmap16HeaderBytes, widthBytes * static_cast<size_t>(height))) {
    return result;
  }
  QImage image(width, height, QImage::Format_RGB32);
  if (image.isNull()) return result;
  for (int y = 0; y < height; ++y) {
    const size_t row = kBitmap16HeaderBytes + widthBytes * static_cast<size_t>(y);
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      const size_t px = static_cast<size_t>(x);
      switch (bitCount) {
        case 1: line[x] = (bitmap.UInt8(row + px / 8) >> (7 - px % 8)) & 1 ? oneColor : zeroColor; break;
        case 4: line[x] = kVgaColors[(bitmap.UInt8(row + px / 2) >> (px % 2 ? 0 : 4)) & 0x0F]; break;
        case 8: line[x] = PaletteEntry(palette, bitmap.UInt8(row + px)); break;
        case 16: {
          const uint16_t v = bitmap.UInt16(row + px * 2);
          line[x] = qRgb(((v >> 10) & 0x1F) * 255 / 31, ((v >> 5) & 0x1F) * 255 / 31, (v & 0x1F) * 255 / 31);
          break;
        }
        default: {
          const size_t at = row + px * static_cast<size_t>(bitCount / 8);
          line[x] = qRgb(bitmap.UInt8(at + 2), bitmap.UInt8(at + 1), bitmap.UInt8(at));
          break;
        }
      }
    }
  }
  result.status = BitmapStatus::Ok;
  result.image = image;
  result.bottomUp = false;
  return result;
}

void ForceOpaque(QImage* image) {
  for (int y = 0; y < image->height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image->scanLine(y));
    for (int x = 0; x < image->width(); ++x) line[x] |= 0xFF000000u;
  }
}

}  // namespace qb::wmf
