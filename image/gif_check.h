#pragma once
// Qt's GIF reader shows a frame whose data is cut off as if it were whole;
// the block structure up to the end of the first frame is checked first.

#include <QByteArrayView>

namespace qb {

// True when the data is a GIF whose blocks up to and including the first
// frame's image data (through its terminating empty sub-block) are present.
bool GifFirstFrameComplete(QByteArrayView data);

}  // namespace qb
