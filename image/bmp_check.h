#pragma once
// Checks a Windows bitmap file against what its headers claim before it is
// decoded: Qt's reader fills missing rows with black and reports success, but
// a damaged page must not end up in a book.

#include <QByteArrayView>
#include <QSize>
#include <QString>

namespace qb {

// True when the file is a bitmap of a supported kind whose palette and pixel
// data are all present (an RLE stream must run to its end-of-bitmap mark or
// past its last row); size is then the picture's size. Refuses pictures larger
// than kMaxPictureSide without looking at their pixels. why says what is
// wrong on failure.
bool CheckBmpFile(QByteArrayView file, QSize* size, QString* why);

// True when an RLE4 (bitsPerPixel 4) or RLE8 stream of rows rows ends with
// its end-of-bitmap mark or moves past the last row before the data ends.
bool RleStreamComplete(QByteArrayView stream, int bitsPerPixel, int rows);

}  // namespace qb
