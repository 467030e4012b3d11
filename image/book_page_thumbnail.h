#pragma once
// A small picture of a page straight from its book, for thumbnails: every
// thumbnail pixel is the average of the page pixels that fall on it (the
// same partition as the classic stretch, averaged instead of ANDed), read
// from the record a band of rows at a time, so the page is never held whole.

#include <QImage>
#include <QSize>
#include <cstdint>
#include <string>

namespace qb {

// The page record at the 1-based position shrunk to size (each side at
// most the page's); a null picture when the record cannot be read (also
// when the book is cut short while it is read) or size is not within the page.
QImage ShrinkBookPage(const std::u16string& path, std::int32_t position, QSize size);

}  // namespace qb
