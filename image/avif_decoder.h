#pragma once
// Decodes an AVIF picture, its first frame at its natural size, with
// libavif: Qt's image plugins of the platform read WebP and TIFF but not
// AVIF. Damaged and oversized pictures fail as with the other formats.

#include <QByteArray>
#include <QImage>

#include "common/outcome.h"

namespace qb {

// image set to an opaque Format_RGB32 picture (transparency over white) on
// success; left alone on failure.
Outcome DecodeAvif(const QByteArray& data, QImage& image);

}  // namespace qb
