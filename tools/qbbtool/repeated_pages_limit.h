#pragma once
// How much "qbbtool unpack" and "qbbtool export" may write for a book. A
// book's page table may name one page many times, so a small file could
// otherwise expand into pictures that fill the disk.

#include <cstdint>
#include <string>

#include "book/book_record.h"

namespace qbbtool {

// Bytes of the 24-bit BMP file a page of width x height pixels is written as.
std::uint64_t BmpFileSize(int width, int height);

// The most picture bytes a book of bookSize bytes may unpack into: four
// times its size (a page's 3 planes become 3 bytes per pixel, plus headers
// and row padding) and 64 MiB more for books of many small pages.
std::uint64_t MaxUnpackedBytes(std::uint64_t bookSize);

// Why the book at bookPath is refused before anything is written: its pages
// as bitmaps would take more than MaxUnpackedBytes, as when its page table
// repeats large pages. Empty when it may be written; a page whose record
// cannot be read is left to the writing.
std::string RepeatedPagesRefusal(const std::u16string& bookPath, const qb::BookRecord& book);

}  // namespace qbbtool
