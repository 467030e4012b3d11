#pragma once
// The bitmaps embedded in metafile records: device-independent bitmaps
// (a BITMAPINFOHEADER or BITMAPCOREHEADER, colour table and bits) and the
// device-dependent bitmaps of the old BitBlt and StretchBlt records. Every
// size in a header is checked against the bytes that are really there before
// anything is allocated or decoded.

#include "image/metafile/metafile_gdi_objects.h"

#include <QImage>
#include <QRgb>
#include <cstddef>
#include <cstdint>
#include <span>

namespace qb::wmf {

inline constexpr uint16_t kDibRgbColors = 0;
inline constexpr uint16_t kDibPalColors = 1;
// Larger embedded bitmaps are refused: a page picture's whole frame may hold
// only half a giga-pixel, and bitmaps that size do not occur in real pictures.
inline constexpr int64_t kMaxBitmapPixels = 32LL * 1024 * 1024;

// Run-length bits encode at most 255 pixels in two bytes; a compressed
// bitmap claiming more pixels per byte is not decoded, which keeps a few
// bytes from asking for a huge decode.
inline constexpr int64_t kMaxRlePixelsPerByte = 128;

enum class BitmapStatus { Ok, Unsupported, Damaged };

struct DecodedBitmap {
  BitmapStatus status = BitmapStatus::Damaged;
  QImage image;          // Format_RGB32, opaque, top row first
  bool bottomUp = true;  // how the rows were stored (source rectangles of DIBs count from the bottom)
};

// What a DIB's header says and where its parts lie, already checked.
struct DibLayout {
  size_t headerBytes = 0;
  int width = 0;
  int height = 0;  // rows, always positive
  bool bottomUp = true;
  int bitCount = 0;
  uint32_t compression = 0;
  size_t colorCount = 0;  // colour table entries
  size_t colorEntryBytes = 4;
  size_t masksOffset = 0;  // bit-field masks, when compression is bit fields
  size_t colorTableOffset = 0;
  size_t bitsOffset = 0;
  size_t bitsBytes = 0;
};

// Checks a DIB's header against the data; Ok fills layout.
BitmapStatus ParseDibLayout(std::span<const uint8_t> dib, uint16_t colorUsage, DibLayout* layout);

// Decodes a DIB. Colour tables of palette indexes (DIB_PAL_COLORS) are looked
// up in palette.
DecodedBitmap DecodeDib(std::span<const uint8_t> dib, uint16_t colorUsage, const MetaPalette& palette);

// Decodes a device-dependent bitmap (Bitmap16). A monochrome one takes
// zeroColor for 0 bits and oneColor for 1 bits, as GDI colours a monochrome
// source blitted to a colour device with the text and background colours.
DecodedBitmap DecodeBitmap16(std::span<const uint8_t> bitmap, QRgb zeroColor, QRgb oneColor,
                             const MetaPalette& palette);

// Sets every pixel's alpha byte of an RGB32 image to 255.
void ForceOpaque(QImage* image);

}  // namespace qb::wmf
