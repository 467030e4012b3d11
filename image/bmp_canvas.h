#pragma once
// The image Qt's bitmap reader decodes a compressed (RLE) bitmap into. Its
// stream may skip pixels (deltas, early ends of lines or of the bitmap), and
// the reader leaves those as whatever memory it was given: decoding into
// this cleared image makes them colour index 0, as in a new bitmap, and the
// same on every run.

#include <QByteArrayView>
#include <QImage>

namespace qb {

// For an RLE4 or RLE8 bitmap file: an 8-bit indexed image of its size, all
// index 0, for QImageReader::read() to fill. A null image for any other file.
QImage RleCanvas(QByteArrayView bmpFile);

}  // namespace qb
