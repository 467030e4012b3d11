#pragma once
// Bitmap files for the decoder's tests, written byte by byte: bit-field
// layouts of any mask shape and run-length streams given code by code, so
// that every layout and every kind of damage has a fixture of its own.

#include <QByteArray>
#include <QRgb>
#include <array>
#include <cstdint>
#include <vector>

namespace qb::fixtures {

inline constexpr std::uint32_t kBiAlphaBitFields = 6;

struct BitfieldBmp {
  int bits = 32;  // 16 or 32
  // Red, green, blue, alpha.
  std::array<std::uint32_t, 4> masks = {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0};
  // 40 stores three masks (or four with alpha bit fields) after the header;
  // 52, 56, 108 and 124 store them in the header.
  std::uint32_t headerSize = 40;
  std::uint32_t compression = 3;  // bit fields, or kBiAlphaBitFields
  int width = 11;                 // odd, so 16-bit rows need padding
  int height = 6;
  bool topDown = false;
};

// The value the fixture stores in the channel of mask (its bits shifted
// down) at pixel (x, y): 0 in column 0, the channel's maximum in column 1,
// a spread of values elsewhere. Bits outside every mask are set.
std::uint32_t StoredChannel(std::uint32_t mask, int x, int y);

QByteArray MakeBitfieldBmp(const BitfieldBmp& shape);

// A bottom-up RLE8 (bits 8) or RLE4 (bits 4) bitmap with this colour table
// and stream.
QByteArray MakeRleBmp(int bits, int width, int height, const std::vector<QRgb>& palette, const QByteArray& stream);

// An uncompressed bottom-up indexed bitmap whose table holds palette (its
// used-colours field says so) and whose every pixel is index.
QByteArray MakeIndexedBmp(int bits, int width, int height, const std::vector<QRgb>& palette, int index);

// Bytes from small numbers, for writing streams by hand.
QByteArray Bytes(std::initializer_list<int> values);

}  // namespace qb::fixtures
