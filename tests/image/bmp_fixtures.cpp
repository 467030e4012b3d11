#include "bmp_fixtures.h"

#include <bit>

namespace qb::fixtures {

namespace {

void PutU16(QByteArray& out, std::uint32_t value) {
  out.append(static_cast<char>(value & 0xFF));
  out.append(static_cast<char>((value >> 8) & 0xFF));
}

void PutU32(QByteArray& out, std::uint32_t value) {
  PutU16(out, value & 0xFFFF);
  PutU16(out, value >> 16);
}

// File header and info header; the caller appends masks, table and pixels.
QByteArray Headers(std::uint32_t headerSize, int width, int height, int bits, std::uint32_t compression,
                   std::uint32_t colours, std::uint32_t tableBytes, std::uint32_t pixelBytes) {
  const std::uint32_t offset = 14 + headerSize + tableBytes;
  QByteArray out("BM");
  PutU32(out, offset + pixelBytes);
  PutU32(out, 0);
  PutU32(out, offset);
  PutU32(out, headerSize);
  PutU32(out, static_cast<std::uint32_t>(width));
  PutU32(out, static_cast<std::uint32_t>(height));
  PutU16(out, 1);
  PutU16(out, static_cast<std::uint32_t>(bits));
  PutU32(out, compression);
  PutU32(out, pixelBytes);
  PutU32(out, 3780);
  PutU32(out, 3780);
  PutU32(out, colours);
  PutU32(out, 0);
  return out;
}

void PutTable(QByteArray& out, const std::vector<QRgb>& palette) {
  for (QRgb c : palette) PutU32(out, c & 0x00FFFFFFu);
}

}  // namespace

std::uint32_t StoredChannel(std::uint32_t mask, int x, int y) {
  const std::uint32_t max = mask >> std::countr_zero(mask);
  if (x == 0) return 0;
  if (x == 1) return max;
  return (static_cast<std::uint32_t>(x * 40503 + y * 9973) * 2654435761u ^ mask) & max;
}

QByteArray MakeBitfieldBmp(const BitfieldBmp& s) {
  const std::uint32_t used = s.masks[0] | s.masks[1] | s.masks[2] | s.masks[3];
  const std::uint32_t pixelBits = s.bits == 32 ? 0xFFFFFFFFu : 0xFFFFu;
  QByteArray pixels;
  for (int stored = 0; stored < s.height; ++stored) {
    const int y = s.topDown ? stored : s.height - 1 - stored;
    QByteArray row;
    for (int x = 0; x < s.width; ++x) {
      std::uint32_t value = pixelBits & ~used;
      for (std::uint32_t mask : s.masks) {
        if (mask != 0) value |= StoredChannel(mask, x, y) << std::countr_zero(mask);
      }
      if (s.bits == 32) {
        PutU32(row, value);
      } else {
        PutU16(row, value);
      }
    }
    while (row.size() % 4) row.append('\0');
    pixels.append(row);
  }
  const bool afterHeader = s.headerSize == 40;
  const int maskCount = s.compression == kBiAlphaBitFields ? 4 : 3;
  const std::uint32_t maskBytes = afterHeader ? 4 * maskCount : 0;
  QByteArray out = Headers(s.headerSize, s.width, s.topDown ? -s.height : s.height, s.bits, s.compression, 0, maskBytes,
                           static_cast<std::uint32_t>(pixels.size()));
  if (afterHeader) {
    for (int i = 0; i < maskCount; ++i) PutU32(out, s.masks[i]);
  } else {
    for (int i = 0; i < (s.headerSize == 52 ? 3 : 4); ++i) PutU32(out, s.masks[i]);
    if (s.headerSize >= 108) PutU32(out, 0x73524742);  // 'sRGB'
    while (out.size() < 14 + static_cast<qsizetype>(s.headerSize)) out.append('\0');
  }
  out.append(pixels);
  return out;
}

QByteArray MakeRleBmp(int bits, int width, int height, const std::vector<QRgb>& palette, const QByteArray& stream) {
  const auto table = static_cast<std::uint32_t>(palette.size() * 4);
  QByteArray out = Headers(40, width, height, bits, bits == 8 ? 1 : 2, static_cast<std::uint32_t>(palette.size()),
                           table, static_cast<std::uint32_t>(stream.size()));
  PutTable(out, palette);
  return out + stream;
}

QByteArray MakeIndexedBmp(int bits, int width, int height, const std::vector<QRgb>& palette, int index) {
  const int stride = (width * bits + 31) / 32 * 4;
  QByteArray row(stride, '\0');
  for (int x = 0; x < width; ++x) {
    const int shift = 8 - bits * (x % (8 / bits) + 1);
    row[x * bits / 8] = static_cast<char>(row[x * bits / 8] | (index << shift));
  }
  const auto table = static_cast<std::uint32_t>(palette.size() * 4);
  QByteArray out = Headers(40, width, height, bits, 0, static_cast<std::uint32_t>(palette.size()), table,
                           static_cast<std::uint32_t>(stride * height));
  PutTable(out, palette);
  for (int y = 0; y < height; ++y) out.append(row);
  return out;
}

QByteArray Bytes(std::initializer_list<int> values) {
  QByteArray out;
  for (int v : values) out.append(static_cast<char>(v));
  return out;
}

}  // namespace qb::fixtures
