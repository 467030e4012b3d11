#pragma once
// Page pictures are opaque: a book stores no alpha. Two ways to get there,
// matching how each format was shown by the classic picture loader.

#include <QImage>

namespace qb {

// Transparent and translucent pixels blended over opaque white. Pixels that
// are fully transparent come out white whatever colour they hide.
QImage CompositeOverWhite(const QImage& picture);

// The colours as stored with any alpha ignored (a bitmap's fourth byte is
// not transparency).
QImage IgnoreAlpha(QImage picture);

}  // namespace qb
