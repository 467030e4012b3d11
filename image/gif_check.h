#pragma once
// Qt's GIF reader shows a frame whose data is cut off, or whose compressed
// pixels run out early, as if it were whole (the rest in the background
// colour); the first frame is checked first.

#include <QByteArrayView>
#include <QRect>

namespace qb {

// True when the data is a GIF whose blocks up to and including the first
// frame's image data (through its terminating empty sub-block) are present
// and whose compressed data decodes to at least the frame's pixel count.
bool GifFirstFrameComplete(QByteArrayView data);

// The first frame's place on the logical screen, as its descriptor gives
// it; an empty rectangle when there is no whole descriptor.
QRect GifFirstFrameRect(QByteArrayView data);

// How many pixels LZW-compressed GIF image data decodes to, counting no
// further than limit: 0 for data that is not valid LZW before any pixel.
// minimumCodeSize is the byte before the data; data is the sub-blocks'
// contents joined.
qint64 GifLzwPixelCount(int minimumCodeSize, QByteArrayView data, qint64 limit);

}  // namespace qb
