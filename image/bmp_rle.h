#pragma once
// Run-length compressed bitmap pixels (RLE8 and RLE4). A stream is checked
// whole before its picture is allocated, so that a few damaged bytes claiming
// a huge bitmap cost nothing; only an intact stream is then drawn.

#include <QByteArrayView>
#include <QImage>
#include <QRgb>
#include <QString>
#include <span>

namespace qb::bmp {

enum class RleFault {
  None,
  EndsEarly,         // the data ends before the end-of-bitmap mark while rows remain
  RunPastRow,        // a run or literal pixels reach past the row's end
  PastLastRow,       // pixels written after the last row
  DeltaPastPicture,  // a move to a place outside the picture
  IndexPastPalette,  // a colour index the palette does not have
};

// Why the fault makes the bitmap damaged; empty for RleFault::None.
QString RleFaultText(RleFault fault);

// Walks an RLE8 (bitsPerPixel 8) or RLE4 stream of a bitmap of the given
// size and palette size, allocating nothing. A stream is intact when it ends
// with its end-of-bitmap mark or, without it, after the end of its last row.
RleFault CheckRleStream(QByteArrayView stream, int bitsPerPixel, int width, int height, int paletteSize);

// Draws an intact stream (CheckRleStream gave None) into canvas, a picture of
// the bitmap's size already filled with what the stream skips. Rows run
// bottom-up.
void DrawRleStream(QByteArrayView stream, int bitsPerPixel, std::span<const QRgb> palette, QImage& canvas);

}  // namespace qb::bmp
