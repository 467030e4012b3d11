#pragma once
// Builds small picture files byte by byte (or with Qt's writers) so the
// loading tests need no stored samples. Most pictures are split into four
// quadrants of distinct colours, so that flipped or shifted rows show.

#include <gtest/gtest.h>
#include <QByteArray>
#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace qb::fixtures {

inline constexpr QRgb kRed = 0xFFFF0000u;
inline constexpr QRgb kGreen = 0xFF00FF00u;
inline constexpr QRgb kBlue = 0xFF0000FFu;
inline constexpr QRgb kWhite = 0xFFFFFFFFu;
inline constexpr QRgb kBlack = 0xFF000000u;

// Quadrant colours: top-left, top-right, bottom-left, bottom-right.
inline constexpr std::array<QRgb, 4> kQuadrants = {kRed, kGreen, kBlue, kWhite};
// A 1-bit picture has two colours: red top-left, white elsewhere.
inline constexpr std::array<QRgb, 4> kMonoQuadrants = {kRed, kWhite, kWhite, kWhite};

// 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right.
int QuadrantOf(int x, int y, int width, int height);

// A pixel near the centre of each quadrant: {x, y}.
std::array<std::array<int, 2>, 4> QuadrantCentres(int width, int height);

inline constexpr std::uint32_t kBiRgb = 0;
inline constexpr std::uint32_t kBiRle8 = 1;
inline constexpr std::uint32_t kBiRle4 = 2;
inline constexpr std::uint32_t kBiBitFields = 3;

struct BmpShape {
  int width = 13;  // odd, so rows need padding
  int height = 7;
  int bits = 24;
  std::uint32_t compression = kBiRgb;
  std::uint32_t headerSize = 40;  // 12, 40, 108 or 124
  bool topDown = false;
  // Bit masks red, green, blue, alpha for bit fields and V4/V5 headers.
  std::array<std::uint32_t, 4> masks = {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0};
  std::uint8_t fourthByte = 0;  // stored with every 32-bit pixel
};

// A quadrant bitmap as described (kMonoQuadrants for 1 bit per pixel).
QByteArray MakeBmp(const BmpShape& shape);

struct GifShape {
  int screenWidth = 20;
  int screenHeight = 16;
  int left = 5;
  int top = 4;
  int frameWidth = 10;
  int frameHeight = 6;
  bool transparent = true;
};

// One frame: its left half red, its right half the transparent index (whose
// palette colour is green), or green when transparent is false.
QByteArray MakeGif(const GifShape& shape);

// Encodes with one of Qt's writers.
QByteArray EncodeImage(const QImage& image, const char* format, int quality = -1);

// A quadrant picture of the given size as Format_RGB32.
QImage QuadrantImage(int width, int height);

// A JPEG of a quadrant picture with an EXIF orientation tag inserted after
// the start-of-image marker (orientation 0 inserts nothing).
QByteArray MakeJpeg(int width, int height, int exifOrientation = 0);

// Rewrites a PNG's header size (keeping its checksum right).
QByteArray WithPngSize(QByteArray png, std::uint32_t width, std::uint32_t height);

// Rewrites the size in a JPEG's baseline frame header.
QByteArray WithJpegSize(QByteArray jpeg, std::uint16_t width, std::uint16_t height);

// One image of an icon file.
struct IconImage {
  int width = 32;
  int height = 32;
  int bits = 32;                                                          // 1, 4, 8, 24 or 32 for a bitmap image
  bool png = false;                                                       // a PNG image instead of a bitmap
  bool mask = true;                                                       // store the AND mask (bitmap images)
  std::function<QRgb(int, int)> colour = [](int, int) { return kBlue; };  // alpha used by 32-bit and PNG
  std::function<bool(int, int)> masked = [](int, int) { return false; };
  int directoryBits = -1;  // the depth the directory claims; -1 tells the truth
};

QByteArray MakeIcon(const std::vector<IconImage>& images);

// True for the four 4 x 4 corners of a square, the usual shape of a mask.
bool InCorner(int x, int y, int side);

// Whether every channel of actual lies within tolerance of expected.
::testing::AssertionResult SameColour(QRgb actual, QRgb expected, int tolerance = 0);

// Samples the centre of each quadrant against expected (top-left, top-right,
// bottom-left, bottom-right).
::testing::AssertionResult HasQuadrants(const QImage& image, const std::array<QRgb, 4>& expected, int tolerance = 0);

// Writes bytes to name inside dir and returns the file's path.
QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes);

}  // namespace qb::fixtures
