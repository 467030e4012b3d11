#pragma once
// Moves pixels between a picture and a pixel array: 32 bits per pixel, bytes
// blue, green, red, 0, bottom row first, plus one spare element of 0. The
// writer stores exactly these values and the viewer puts them back, so both
// directions share this layout.

#include <QImage>
#include <cstdint>

#include "book/book_record.h"

namespace qb {

// Fills pixels with the surface's pixels (width x height + 1 elements) and
// returns width x height; the fourth byte is always 0. Returns -1, leaving
// pixels alone, when the surface is empty or too large for the layout.
std::int32_t PictureToPixels(const QImage& surface, PixelArray& pixels);

// Writes the first width x height elements of pixels into the surface, whose
// size stays as it is, and returns 0. Returns -1, leaving the surface alone,
// when the surface is empty or too large, or pixels holds too few elements.
std::int32_t PixelsToPicture(QImage& surface, const PixelArray& pixels);

// Whether a surface of this size can be moved: at least one pixel and
// width x height x 4 within a signed 32-bit number.
bool TransferSizeAllowed(int width, int height);

}  // namespace qb
