#pragma once
// Decodes Windows bitmap files the way the classic picture loader showed
// them: every depth, top-down and bottom-up rows, run-length compression and
// bit-field channels of any width, each channel spanning 0-255. The fourth
// byte and alpha masks are never transparency: pictures come out opaque.
// Damaged files (see CheckBmpFile, and colour indices past the colour table)
// are refused, never shown with filler.

#include <QByteArrayView>
#include <QImage>
#include <cstdint>

#include "common/outcome.h"

namespace qb {

// image set to an opaque Format_RGB32 picture on success; untouched on
// failure.
Outcome DecodeBmp(QByteArrayView file, QImage& image);

// The same for the bitmap file open as fd, size bytes long, read a band of
// rows at a time: the file is never held whole beside its pixels, which
// would take up to twice the memory of an uncompressed page.
Outcome DecodeBmpFile(int fd, std::int64_t size, QImage& image);

}  // namespace qb
