#pragma once
// Checks a Windows bitmap file against what its headers claim before any
// pixel is decoded: a damaged page must not end up in a book as filler, and
// a few damaged bytes must not cost a huge picture's memory.

#include <QByteArrayView>
#include <QRgb>
#include <cstdint>
#include <vector>

#include "common/outcome.h"
#include "image/bmp_masks.h"

namespace qb {

// What a checked bitmap file holds and where.
struct BmpLayout {
  int width = 0;
  int height = 0;  // rows
  bool topDown = false;
  int bitCount = 0;
  std::uint32_t compression = 0;
  std::vector<QRgb> palette;  // bitmaps of 8 bits or fewer: the usable colour table entries
  bmp::PixelMasks masks;      // 16- and 32-bit bitmaps
  qsizetype pixelStart = 0;   // the pixel rows or the compressed stream, to the end of the file
  bool streamChecked = true;  // false for a compressed stream CheckBmpHead did not have
};

// Success when the file is a bitmap of a supported kind whose colour table
// and pixel data are all present; a compressed stream is walked whole and
// must be intact (CheckRleStream). Refuses pictures larger than
// kMaxPictureSide without looking at their pixels. layout (when given) is
// filled on success. Colour indices of uncompressed pixels are the decoder's
// to check.
Outcome CheckBmpFile(QByteArrayView file, BmpLayout* layout);

// The same for a file of fileSize bytes of which head holds the first ones,
// at least kBmpHeadBytes (or the whole file): the headers and colour table
// always lie within them. Uncompressed rows are checked to be all there; a
// compressed stream only when head is the whole file.
inline constexpr qsizetype kBmpHeadBytes = 64 * 1024;
Outcome CheckBmpHead(QByteArrayView head, std::int64_t fileSize, BmpLayout* layout);

}  // namespace qb
