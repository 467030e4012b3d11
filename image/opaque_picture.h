#pragma once
// Page pictures are opaque: a book stores no alpha. Pictures with
// transparency are shown the way the classic picture loader showed them.

#include <QImage>

namespace qb {

// Transparent and translucent pixels blended over opaque white. Pixels that
// are fully transparent come out white whatever colour they hide. A 32-bit
// picture not shared with another is blended in place, without a copy.
QImage CompositeOverWhite(QImage picture);

}  // namespace qb
