#pragma once
// PNG output of the commands that write pictures. The picture is encoded in
// memory and then written: libpng prints "Write Error" of its own when a
// file refuses its bytes (a full disk), ahead of the command's message.

#include <QByteArray>
#include <QImage>
#include <QString>

namespace qbbtool {

// The picture as PNG data; empty when it cannot be encoded.
QByteArray PngData(const QImage& picture);

// Writes the picture as a PNG file at path; false when it cannot be encoded
// or the file cannot be written whole.
bool WritePngFile(const QImage& picture, const QString& path);

// WritePngFile so that readers never see half a picture: a regular file is
// written under a temporary name and renamed into place. An existing device
// or pipe (/dev/stdout) is written to: renaming over it would replace it
// with a plain file, for everyone when run as root.
bool PublishPngFile(const QImage& picture, const QString& path);

}  // namespace qbbtool
