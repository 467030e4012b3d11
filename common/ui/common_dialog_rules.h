#pragma once
// The small rules of the common dialog wrapper where its Windows records
// meet Qt's dialogs: buffer sizes in code page 932 bytes, point sizes in
// tenths, the fixed-size face name of a LOGFONT.

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace qb {

// Size of the file-name buffer: maxFileSize when above 0, else 1024.
int FileBufferSize(std::int32_t maxFileSize);

// Whether path, in code page 932 bytes and with its terminating NUL, fits a
// file-name buffer of bufferSize bytes.
bool PathFitsFileBuffer(const QString& path, int bufferSize);

// The file's name without its folder.
QString FileTitleOf(const QString& path);

// Whole points as tenths of a point, held in 32 bits.
std::int32_t PointsToTenths(std::int32_t points);

// Tenths of a point as whole points, a half going to the even neighbour.
std::int32_t TenthsToPoints(std::int32_t tenths);

// The 32-byte lfFaceName of a LOGFONT: the name in code page 932, cut to 31
// bytes at a character boundary, padded with 0 bytes.
QByteArray FaceNameField(const QString& faceName);

}  // namespace qb
