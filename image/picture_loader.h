#pragma once
// Loads a page picture file at its natural pixel size, the way the classic
// picture loader showed it: Windows bitmap, GIF, JPEG, PNG, WebP, TIFF, AVIF,
// icon or placeable Windows metafile, recognised by content rather than
// extension.
// Damaged files fail instead of loading with filler pixels.

#include <QByteArray>
#include <QImage>
#include <QString>

#include "common/outcome.h"

namespace qb {

// image set to an opaque Format_RGB32 picture on success. On failure image
// is left alone and the reason names the file.
Outcome LoadPictureFile(const QString& path, QImage& image);

// The same for a file's contents already in memory; the reason then does not
// name a file.
Outcome DecodePictureData(const QByteArray& data, QImage& image);

}  // namespace qb
