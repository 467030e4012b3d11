#pragma once
// Decodes Windows bitmap files the way the classic picture loader showed
// them: every depth, top-down and bottom-up rows, run-length compression and
// bit-field channels of any width, each channel spanning 0-255. The fourth
// byte and alpha masks are never transparency: pictures come out opaque.
// Damaged files (see CheckBmpFile, and colour indices past the colour table)
// are refused, never shown with filler.

#include <QByteArrayView>
#include <QImage>

#include "common/outcome.h"

namespace qb {

// image set to an opaque Format_RGB32 picture on success; untouched on
// failure.
Outcome DecodeBmp(QByteArrayView file, QImage& image);

}  // namespace qb
