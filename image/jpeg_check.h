#pragma once
// Qt's JPEG reader pads a truncated file with grey and reports success; a
// damaged page must fail instead, so the stream is walked first.

#include <QByteArrayView>

namespace qb {

// True when the data starts with the start-of-image marker and its segments
// and entropy-coded data run intact up to an end-of-image marker.
bool JpegStreamComplete(QByteArrayView data);

// False when the data is too short to hold the picture its frame header
// declares: Huffman-coded data spends at least one bit on every 8 x 8 block
// of every component, so a tiny file claiming a huge picture is refused
// before its canvas is allocated. Arithmetic-coded pictures (which can spend
// less) and headers this check does not understand pass; the decoder judges
// those.
bool JpegLongEnoughForItsSize(QByteArrayView data);

}  // namespace qb
