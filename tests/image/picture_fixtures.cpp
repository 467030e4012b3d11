#include "picture_fixtures.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <algorithm>
#include <bit>
#include <cstdlib>
#include <map>

namespace qb::fixtures {

namespace {

void PutU8(QByteArray& out, unsigned value) { out.append(static_cast<char>(value & 0xFF)); }

void PutU16(QByteArray& out, unsigned value) {
  PutU8(out, value);
  PutU8(out, value >> 8);
}

void PutU32(QByteArray& out, std::uint32_t value) {
  PutU16(out, value & 0xFFFF);
  PutU16(out, value >> 16);
}

void PutU32Be(QByteArray& out, qsizetype at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>(value >> (24 - 8 * i));
}

void PadTo(QByteArray& out, qsizetype size) {
  while (out.size() < size) out.append('\0');
}

// An 8-bit channel placed into a bit-field mask of at most 8 bits.
std::uint32_t Pack(int channel, std::uint32_t mask) {
  if (mask == 0) return 0;
  const int width = std::popcount(mask);
  const int shift = std::countr_zero(mask);
  return (static_cast<std::uint32_t>(channel) >> (8 - width)) << shift;
}

// Palette indices for the four quadrants, chosen away from 0 so that index
// decoding is really exercised.
int QuadrantIndex(int bits, int quadrant) {
  switch (bits) {
    case 1: return quadrant == 0 ? 1 : 0;
    case 4: return std::array{3, 7, 10, 15}[quadrant];
    default: return std::array{200, 17, 99, 255}[quadrant];
  }
}

std::vector<QRgb> BmpPalette(int bits) {
  std::vector<QRgb> palette(std::size_t{1} << bits, kBlack);
  if (bits == 1) {
    palette[0] = kWhite;
    palette[1] = kRed;
    return palette;
  }
  for (int q = 0; q < 4; ++q) palette[QuadrantIndex(bits, q)] = kQuadrants[q];
  return palette;
}

QByteArray EncodeRow(const BmpShape& s, int y) {
  QByteArray row;
  std::uint32_t bitBuffer = 0;
  int bitCount = 0;
  for (int x = 0; x < s.width; ++x) {
    const int q = QuadrantOf(x, y, s.width, s.height);
    const QRgb c = kQuadrants[q];
    switch (s.bits) {
      case 1:
      case 4:
      case 8:
        bitBuffer = (bitBuffer << s.bits) | QuadrantIndex(s.bits, q);
        bitCount += s.bits;
        if (bitCount == 8) {
          PutU8(row, bitBuffer);
          bitBuffer = 0;
          bitCount = 0;
        }
        break;
      case 16:
        PutU16(row, s.compression == kBiBitFields
                        ? Pack(qRed(c), s.masks[0]) | Pack(qGreen(c), s.masks[1]) | Pack(qBlue(c), s.masks[2])
                        : Pack(qRed(c), 0x7C00) | Pack(qGreen(c), 0x03E0) | Pack(qBlue(c), 0x001F));
        break;
      case 24:
        PutU8(row, qBlue(c));
        PutU8(row, qGreen(c));
        PutU8(row, qRed(c));
        break;
      default:
        if (s.compression == kBiBitFields) {
          PutU32(row, Pack(qRed(c), s.masks[0]) | Pack(qGreen(c), s.masks[1]) | Pack(qBlue(c), s.masks[2]) |
                          Pack(s.fourthByte, s.masks[3]));
        } else {
          PutU8(row, qBlue(c));
          PutU8(row, qGreen(c));
          PutU8(row, qRed(c));
          PutU8(row, s.fourthByte);
        }
        break;
    }
  }
  if (bitCount > 0) PutU8(row, bitBuffer << (8 - bitCount));
  PadTo(row, (s.width * s.bits + 31) / 32 * 4);
  return row;
}

// One row as RLE: the first three pixels in absolute mode, the rest as runs.
QByteArray EncodeRleRow(const BmpShape& s, int y) {
  std::vector<int> indices;
  for (int x = 0; x < s.width; ++x) indices.push_back(QuadrantIndex(s.bits, QuadrantOf(x, y, s.width, s.height)));
  QByteArray row;
  PutU8(row, 0);
  PutU8(row, 3);
  if (s.bits == 8) {
    for (int i = 0; i < 3; ++i) PutU8(row, indices[i]);
    PutU8(row, 0);
  } else {
    PutU8(row, indices[0] << 4 | indices[1]);
    PutU8(row, indices[2] << 4);
  }
  for (std::size_t x = 3; x < indices.size();) {
    std::size_t end = x;
    while (end < indices.size() && indices[end] == indices[x] && end - x < 255) ++end;
    PutU8(row, static_cast<unsigned>(end - x));
    PutU8(row, s.bits == 8 ? indices[x] : (indices[x] << 4 | indices[x]));
    x = end;
  }
  PutU8(row, 0);
  PutU8(row, 0);
  return row;
}

std::uint32_t Crc32(QByteArrayView data) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (char byte : data) {
    crc ^= static_cast<std::uint8_t>(byte);
    for (int i = 0; i < 8; ++i) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

// LZW codes that are all literals, with a clear code often enough that the
// code width never grows: valid for every decoder and easy to write.
QByteArray LiteralLzw(const std::vector<int>& indices, int minCodeSize) {
  QByteArray out;
  std::uint32_t buffer = 0;
  int bits = 0;
  const int width = minCodeSize + 1;
  const int clear = 1 << minCodeSize;
  auto put = [&](int code) {
    buffer |= static_cast<std::uint32_t>(code) << bits;
    bits += width;
    while (bits >= 8) {
      PutU8(out, buffer);
      buffer >>= 8;
      bits -= 8;
    }
  };
  put(clear);
  int sinceClear = 0;
  for (int index : indices) {
    if (sinceClear == clear - 2) {
      put(clear);
      sinceClear = 0;
    }
    put(index);
    ++sinceClear;
  }
  put(clear + 1);
  if (bits > 0) PutU8(out, buffer);
  return out;
}

void PutSubBlocks(QByteArray& out, const QByteArray& data) {
  for (qsizetype at = 0; at < data.size(); at += 255) {
    const qsizetype n = std::min<qsizetype>(255, data.size() - at);
    PutU8(out, static_cast<unsigned>(n));
    out.append(data.mid(at, n));
  }
  PutU8(out, 0);
}

QByteArray IconDib(const IconImage& s) {
  std::vector<QRgb> palette;
  std::map<QRgb, int> indexOf;
  if (s.bits <= 8) {
    for (int y = 0; y < s.height; ++y) {
      for (int x = 0; x < s.width; ++x) {
        const QRgb c = s.colour(x, y) | 0xFF000000u;
        if (indexOf.emplace(c, static_cast<int>(palette.size())).second) palette.push_back(c);
      }
    }
    palette.resize(std::size_t{1} << s.bits, kBlack);
  }
  const int colourStride = (s.width * s.bits + 31) / 32 * 4;
  const int maskStride = (s.width + 31) / 32 * 4;
  QByteArray out;
  PutU32(out, 40);
  PutU32(out, s.width);
  PutU32(out, s.height * 2);
  PutU16(out, 1);
  PutU16(out, s.bits);
  PutU32(out, 0);
  PutU32(out, (colourStride + maskStride) * s.height);
  PutU32(out, 0);
  PutU32(out, 0);
  PutU32(out, 0);
  PutU32(out, 0);
  for (QRgb c : palette) PutU32(out, c & 0x00FFFFFFu);
  for (int y = s.height - 1; y >= 0; --y) {
    QByteArray row;
    std::uint32_t bitBuffer = 0;
    int bitCount = 0;
    for (int x = 0; x < s.width; ++x) {
      const QRgb c = s.colour(x, y);
      if (s.bits <= 8) {
        bitBuffer = (bitBuffer << s.bits) | indexOf.at(c | 0xFF000000u);
        bitCount += s.bits;
        if (bitCount == 8) {
          PutU8(row, bitBuffer);
          bitBuffer = 0;
          bitCount = 0;
        }
      } else {
        PutU8(row, qBlue(c));
        PutU8(row, qGreen(c));
        PutU8(row, qRed(c));
        if (s.bits == 32) PutU8(row, qAlpha(c));
      }
    }
    if (bitCount > 0) PutU8(row, bitBuffer << (8 - bitCount));
    PadTo(row, colourStride);
    out.append(row);
  }
  if (!s.mask) return out;
  for (int y = s.height - 1; y >= 0; --y) {
    QByteArray row(maskStride, '\0');
    for (int x = 0; x < s.width; ++x) {
      if (s.masked(x, y)) row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
    }
    out.append(row);
  }
  return out;
}

}  // namespace

int QuadrantOf(int x, int y, int width, int height) { return (y < height / 2 ? 0 : 2) + (x < width / 2 ? 0 : 1); }

std::array<std::array<int, 2>, 4> QuadrantCentres(int width, int height) {
  const int left = width / 4;
  const int right = width / 2 + (width - width / 2) / 2;
  const int top = height / 4;
  const int bottom = height / 2 + (height - height / 2) / 2;
  return {{{left, top}, {right, top}, {left, bottom}, {right, bottom}}};
}

QByteArray MakeBmp(const BmpShape& s) {
  const std::vector<QRgb> palette = s.bits <= 8 ? BmpPalette(s.bits) : std::vector<QRgb>{};
  QByteArray pixels;
  const bool rle = s.compression == kBiRle4 || s.compression == kBiRle8;
  for (int stored = 0; stored < s.height; ++stored) {
    const int y = s.topDown ? stored : s.height - 1 - stored;
    pixels.append(rle ? EncodeRleRow(s, y) : EncodeRow(s, y));
  }
  if (rle) {
    PutU8(pixels, 0);
    PutU8(pixels, 1);
  }

  const int maskBytes = (s.headerSize == 40 && s.compression == kBiBitFields) ? 12 : 0;
  const int entrySize = s.headerSize == 12 ? 3 : 4;
  const auto pixelOffset = static_cast<std::uint32_t>(14 + s.headerSize + maskBytes + palette.size() * entrySize);
  QByteArray out("BM");
  PutU32(out, pixelOffset + pixels.size());
  PutU32(out, 0);
  PutU32(out, pixelOffset);
  PutU32(out, s.headerSize);
  if (s.headerSize == 12) {
    PutU16(out, s.width);
    PutU16(out, s.height);
    PutU16(out, 1);
    PutU16(out, s.bits);
  } else {
    PutU32(out, s.width);
    PutU32(out, static_cast<std::uint32_t>(s.topDown ? -s.height : s.height));
    PutU16(out, 1);
    PutU16(out, s.bits);
    PutU32(out, s.compression);
    PutU32(out, static_cast<std::uint32_t>(pixels.size()));
    PutU32(out, 2835);
    PutU32(out, 2835);
    PutU32(out, 0);
    PutU32(out, 0);
    if (s.headerSize >= 108) {
      for (std::uint32_t mask : s.masks) PutU32(out, mask);
      PutU32(out, 0x73524742);  // 'sRGB'
      PadTo(out, 14 + 108);
    }
    if (s.headerSize == 124) {
      PutU32(out, 4);  // rendering intent
      PadTo(out, 14 + 124);
    }
    if (maskBytes) {
      for (int i = 0; i < 3; ++i) PutU32(out, s.masks[i]);
    }
  }
  for (QRgb c : palette) {
    PutU8(out, qBlue(c));
    PutU8(out, qGreen(c));
    PutU8(out, qRed(c));
    if (entrySize == 4) PutU8(out, 0);
  }
  out.append(pixels);
  return out;
}

QByteArray MakeGif(const GifShape& s) {
  constexpr int kRedIndex = 0;
  constexpr int kGreenIndex = 1;  // the transparent index
  constexpr int kBackgroundIndex = 2;
  QByteArray out("GIF89a");
  PutU16(out, s.screenWidth);
  PutU16(out, s.screenHeight);
  PutU8(out, 0x81);  // global table of 4 colours
  PutU8(out, kBackgroundIndex);
  PutU8(out, 0);
  for (QRgb c : {kRed, kGreen, kBlue, kBlack}) {
    PutU8(out, qRed(c));
    PutU8(out, qGreen(c));
    PutU8(out, qBlue(c));
  }
  if (s.transparent) {
    out.append("\x21\xF9\x04\x01\x00\x00", 6);
    PutU8(out, kGreenIndex);
    PutU8(out, 0);
  }
  PutU8(out, 0x2C);
  PutU16(out, s.left);
  PutU16(out, s.top);
  PutU16(out, s.frameWidth);
  PutU16(out, s.frameHeight);
  PutU8(out, 0);
  std::vector<int> indices;
  for (int y = 0; y < s.frameHeight; ++y) {
    for (int x = 0; x < s.frameWidth; ++x) indices.push_back(x < s.frameWidth / 2 ? kRedIndex : kGreenIndex);
  }
  constexpr int kMinCodeSize = 2;
  PutU8(out, kMinCodeSize);
  PutSubBlocks(out, LiteralLzw(indices, kMinCodeSize));
  PutU8(out, 0x3B);
  return out;
}

QByteArray EncodeImage(const QImage& image, const char* format, int quality) {
  QByteArray out;
  QBuffer buffer(&out);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  writer.setQuality(quality);
  writer.write(image);
  return out;
}

QImage QuadrantImage(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) image.setPixel(x, y, kQuadrants[QuadrantOf(x, y, width, height)]);
  }
  return image;
}

QByteArray MakeJpeg(int width, int height, int exifOrientation) {
  QByteArray jpeg = EncodeImage(QuadrantImage(width, height), "jpeg", 95);
  if (exifOrientation == 0) return jpeg;
  // APP1: "Exif\0\0", a little-endian TIFF header and one IFD holding only
  // the orientation tag (0x0112, SHORT).
  QByteArray tiff("II*\0", 4);
  PutU32(tiff, 8);
  PutU16(tiff, 1);
  PutU16(tiff, 0x0112);
  PutU16(tiff, 3);
  PutU32(tiff, 1);
  PutU16(tiff, exifOrientation);
  PutU16(tiff, 0);
  PutU32(tiff, 0);
  QByteArray app1("\xFF\xE1", 2);
  const int length = 2 + 6 + static_cast<int>(tiff.size());
  PutU8(app1, length >> 8);
  PutU8(app1, length);
  app1.append("Exif\0\0", 6);
  app1.append(tiff);
  jpeg.insert(2, app1);
  return jpeg;
}

QByteArray WithPngSize(QByteArray png, std::uint32_t width, std::uint32_t height) {
  PutU32Be(png, 16, width);
  PutU32Be(png, 20, height);
  PutU32Be(png, 29, Crc32(QByteArrayView(png).sliced(12, 17)));
  return png;
}

QByteArray WithJpegSize(QByteArray jpeg, std::uint16_t width, std::uint16_t height) {
  qsizetype at = 2;
  while (at + 9 <= jpeg.size() && static_cast<std::uint8_t>(jpeg[at]) == 0xFF) {
    const auto marker = static_cast<std::uint8_t>(jpeg[at + 1]);
    if (marker == 0xC0) {
      jpeg[at + 5] = static_cast<char>(height >> 8);
      jpeg[at + 6] = static_cast<char>(height);
      jpeg[at + 7] = static_cast<char>(width >> 8);
      jpeg[at + 8] = static_cast<char>(width);
      return jpeg;
    }
    at += 2 + (static_cast<std::uint8_t>(jpeg[at + 2]) << 8 | static_cast<std::uint8_t>(jpeg[at + 3]));
  }
  return jpeg;
}

QByteArray MakeIcon(const std::vector<IconImage>& images) {
  std::vector<QByteArray> data;
  for (const IconImage& s : images) {
    if (!s.png) {
      data.push_back(IconDib(s));
      continue;
    }
    QImage image(s.width, s.height, QImage::Format_ARGB32);
    for (int y = 0; y < s.height; ++y) {
      for (int x = 0; x < s.width; ++x) image.setPixel(x, y, s.colour(x, y));
    }
    data.push_back(EncodeImage(image, "png"));
  }
  QByteArray out;
  PutU16(out, 0);
  PutU16(out, 1);
  PutU16(out, static_cast<unsigned>(images.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const IconImage& s = images[i];
    const int bits = s.directoryBits >= 0 ? s.directoryBits : (s.png ? 32 : s.bits);
    PutU8(out, s.width == 256 ? 0 : s.width);
    PutU8(out, s.height == 256 ? 0 : s.height);
    PutU8(out, bits < 8 ? 1u << bits : 0);
    PutU8(out, 0);
    PutU16(out, 1);
    PutU16(out, bits);
    PutU32(out, static_cast<std::uint32_t>(data[i].size()));
    PutU32(out, offset);
    offset += static_cast<std::uint32_t>(data[i].size());
  }
  for (const QByteArray& d : data) out.append(d);
  return out;
}

::testing::AssertionResult SameColour(QRgb actual, QRgb expected, int tolerance) {
  const bool near = std::abs(qRed(actual) - qRed(expected)) <= tolerance &&
                    std::abs(qGreen(actual) - qGreen(expected)) <= tolerance &&
                    std::abs(qBlue(actual) - qBlue(expected)) <= tolerance && qAlpha(actual) == 255;
  if (near) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "colour " << std::hex << actual << " instead of " << expected << std::dec
                                       << " (tolerance " << tolerance << ")";
}

::testing::AssertionResult HasQuadrants(const QImage& image, const std::array<QRgb, 4>& expected, int tolerance) {
  const auto centres = QuadrantCentres(image.width(), image.height());
  for (int q = 0; q < 4; ++q) {
    const auto [x, y] = centres[q];
    const auto result = SameColour(image.pixel(x, y), expected[q], tolerance);
    if (!result)
      return ::testing::AssertionFailure()
             << "quadrant " << q << " at (" << x << ", " << y << "): " << result.message();
  }
  return ::testing::AssertionSuccess();
}

bool InCorner(int x, int y, int side) { return (x < 4 || x >= side - 4) && (y < 4 || y >= side - 4); }

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
  const QString path = dir.filePath(name);
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(bytes);
  return path;
}

}  // namespace qb::fixtures
