#pragma once
// One decoded page as a Qt picture, for the commands that write pictures.

#include <QImage>

#include "book/book_record.h"

namespace qbbtool {

// The page as an RGB32 picture; a null picture when the page has no pixels
// or its pixel array does not match its size.
QImage PagePicture(const qb::PageImage& page);

}  // namespace qbbtool
