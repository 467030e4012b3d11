#pragma once
// Reading book files. Every read checks what the file claims against what it
// holds, so a damaged or hostile file is refused instead of read out of bounds.

#include <cstdint>
#include <string>
#include <string_view>

#include "book/book_record.h"
#include "book/byte_source.h"

namespace qb {

enum BookStatus : int {
  kBookSound = 0,        // the record holds the book
  kBookNotABook = 2,     // the magic is missing; the record is untouched
  kBookCheckFailed = 3,  // Check != Key ^ 0xAA; the record is filled as read
  kBookDamaged = 4,      // unreadable, truncated or out-of-range values; the record is untouched
};

// Fills book from the file's header, text block and page table.
[[nodiscard]] BookStatus ReadBookHeader(const std::u16string& path, BookRecord& book);
// The same from any source of the book's bytes.
[[nodiscard]] BookStatus ReadBookHeader(ByteSource& source, BookRecord& book);
// The header, text block and page table alone, with the same statuses, but
// each table position only checked to start a record header inside the
// source: for readers that check each record in full when they show it, so
// opening costs no read per page.
[[nodiscard]] BookStatus ReadBookTable(ByteSource& source, BookRecord& book);

// Decodes the page record at the 1-based file position. Returns kBookSound,
// or kBookDamaged (page left empty) when the record cannot be read as a whole.
[[nodiscard]] BookStatus ReadPageImage(const std::u16string& path, PageImage& page, std::int32_t position);

// Reads only the page record's dimensions (Pixels left empty): for listing
// pages without decoding them. Same results as ReadPageImage.
[[nodiscard]] BookStatus ReadPageHeader(const std::u16string& path, PageImage& page, std::int32_t position);

// Header helpers. BytesToText decodes code page 932, cuts at the first NUL
// and removes surrounding blanks.
std::u16string BytesToText(std::string_view bytes, std::size_t start, std::size_t count);
std::int16_t GetInt16(std::string_view bytes, std::size_t start);
std::int32_t GetInt32(std::string_view bytes, std::size_t start);

}  // namespace qb
