#pragma once
// Loads a page picture file at its natural pixel size, the way the classic
// picture loader showed it: Windows bitmap, GIF, JPEG, PNG, icon or
// placeable Windows metafile, recognised by content rather than extension.
// Damaged files fail instead of loading with filler pixels.

#include <QByteArray>
#include <QImage>
#include <QString>

namespace qb {

// True and image set to an opaque Format_RGB32 picture on success. On failure
// image is left alone and error (when given) names the file and the reason.
bool LoadPictureFile(const QString& path, QImage& image, QString* error);

// The same for a file's contents already in memory; why then carries only
// the reason.
bool DecodePictureData(const QByteArray& data, QImage& image, QString* why);

}  // namespace qb
