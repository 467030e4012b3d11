#pragma once
// Qt's JPEG reader pads a truncated file with grey and reports success; a
// damaged page must fail instead, so the stream is walked first.

#include <QByteArrayView>

namespace qb {

// True when the data starts with the start-of-image marker and its segments
// and entropy-coded data run intact up to an end-of-image marker.
bool JpegStreamComplete(QByteArrayView data);

}  // namespace qb
