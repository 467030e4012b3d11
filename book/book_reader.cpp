#include "book/book_reader.h"

#include <algorithm>
#include <vector>

#include "book/book_file.h"
#include "book/book_format.h"
#include "book/page_rows.h"
#include "book/plane_bytes.h"
#include "common/cp932.h"
#include "common/text_helpers.h"
#include "common/utf8.h"

namespace qb {
namespace {

std::u16string DecodeComment(std::u16string_view text) {
  // A lone 0x80 byte decodes to U+0080; followed by "n" it is an old line break.
  return ReplaceText(GetField(text, 1, u"\x7F"), u"\u0080n", u"\r\n");
}

}  // namespace

std::u16string BytesToText(std::string_view bytes, std::size_t start, std::size_t count) {
  if (start >= bytes.size()) return {};
  return Trim(CutAtNull(cp932::Decode(bytes.substr(start, count))));
}

std::int16_t GetInt16(std::string_view bytes, std::size_t start) {
  const auto b0 = static_cast<std::uint8_t>(bytes[start]);
  const auto b1 = static_cast<std::uint8_t>(bytes[start + 1]);
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(b0 | (b1 << 8)));
}

std::int32_t GetInt32(std::string_view bytes, std::size_t start) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(bytes[start + i]);
  return static_cast<std::int32_t>(v);
}

BookStatus ReadBookHeader(const std::u16string& path, BookRecord& book) {
  BookFile file(path);
  if (!file.IsOpen()) return kBookDamaged;
  return ReadBookHeader(file, book);
}

BookStatus ReadBookHeader(ByteSource& file, BookRecord& book) {
  BookRecord read = book;
  const BookStatus status = ReadBookTable(file, read);
  if (status != kBookSound && status != kBookCheckFailed) return status;
  // Every record must lie inside the file with sane dimensions; trusting
  // the table would read out of bounds later, page by page.
  for (const std::int32_t position : read.PageTable) {
    PageImage head;
    if (!ReadRecordHeader(file, position, head)) return kBookDamaged;
  }
  book = std::move(read);
  return status;
}

BookStatus ReadBookTable(ByteSource& file, BookRecord& book) {
  std::string header;
  if (!ReadBytes(file, 0, format::kMagic.size(), header)) return kBookNotABook;
  if (header != format::kMagic) return kBookNotABook;
  if (!ReadBytes(file, 0, format::kHeaderSize, header)) return kBookDamaged;

  // Everything is read into a scratch record first: a damaged file must
  // leave the caller's record as it was.
  BookRecord read = book;
  read.Version = FitToChars(BytesToText(header, 5, 4), kVersionWidth);
  read.Author = FitToChars(BytesToText(header, format::kAuthorOffset, kAuthorWidth), kAuthorWidth);
  read.Title = FitToChars(BytesToText(header, format::kTitleOffset, kTitleWidth), kTitleWidth);
  read.PageCount = GetInt16(header, format::kPageCountOffset);
  read.Password = FitToChars(BytesToText(header, format::kPasswordOffset, kPasswordWidth), kPasswordWidth);
  read.Price = GetInt32(header, format::kPriceOffset);
  read.TextLength = GetInt32(header, format::kTextLengthOffset);
  read.Key = static_cast<std::uint8_t>(header[format::kKeyOffset]);
  read.Check = static_cast<std::uint8_t>(header[format::kCheckOffset]);
  const BookStatus status = (read.Check ^ format::kCheckMask) == read.Key ? kBookSound : kBookCheckFailed;

  if (read.TextLength < format::kMinTextLength || read.TextLength > format::kMaxTextLength) return kBookDamaged;
  if (read.PageCount < 1) return kBookDamaged;

  std::string block;
  if (!ReadBytes(file, format::kHeaderSize, static_cast<std::size_t>(read.TextLength), block)) return kBookDamaged;
  const std::u16string text = cp932::Decode(block);
  read.Comment = DecodeComment(text);
  read.Url = GetField(text, 2, u"\x7F");
  read.Mail = GetField(text, 3, u"\x7F");

  std::string table;
  const std::int64_t tableOffset = static_cast<std::int64_t>(format::kHeaderSize) + read.TextLength;
  if (!ReadBytes(file, tableOffset, 4 * static_cast<std::size_t>(read.PageCount), table)) return kBookDamaged;
  read.PageTable.assign(static_cast<std::size_t>(read.PageCount), 0);
  for (std::size_t i = 0; i < read.PageTable.size(); ++i) {
    read.PageTable[i] = GetInt32(table, 4 * i);
    if (read.PageTable[i] < 1 || !Holds(file, read.PageTable[i] - 1, format::kPageHeaderSize)) return kBookDamaged;
  }

  book = std::move(read);
  return status;
}

BookStatus ReadPageHeader(const std::u16string& path, PageImage& page, std::int32_t position) {
  page = PageImage{};
  BookFile file(path);
  return ReadRecordHeader(file, position, page) ? kBookSound : kBookDamaged;
}

BookStatus ReadPageImage(const std::u16string& path, PageImage& page, std::int32_t position) {
  // The band memory is the reader's, kept for the thread's next page; a
  // pixel array already of the page's size is overwritten, not cleared
  // first, and keeps its memory: fresh memory costs a page fault per 4 KiB.
  thread_local PageRows rows;
  BookFile file(path);
  const auto damaged = [&] {
    rows.Close();
    page.Width = page.Height = page.Reserved = 0;
    page.Pixels.assign(1, 0);
    return kBookDamaged;
  };
  if (rows.Open(file, position) != kBookSound) return damaged();
  const std::size_t width = static_cast<std::size_t>(rows.Width());
  const std::size_t n = width * static_cast<std::size_t>(rows.Height());
  page.Pixels.resize(n + 1);
  // Bottom band first: the file and the pixel array both start with the
  // bottom row.
  std::uint32_t* out = page.Pixels.data();
  for (int end = rows.Height(); end > 0;) {
    const int first = std::max(0, end - rows.BandRows());
    if (rows.HoldFrom(first) < end - first) return damaged();
    const MaskedPlanes band = rows.Row(end - 1);
    const std::size_t count = static_cast<std::size_t>(end - first) * width;
    PixelsFromMaskedPlanes(band.blue, band.green, band.red, count, n, out);
    out += count;
    end = first;
  }
  page.Pixels[n] = 0;
  page.Width = static_cast<std::int16_t>(rows.Width());
  page.Height = static_cast<std::int16_t>(rows.Height());
  page.Reserved = rows.Reserved();
  rows.Close();
  return kBookSound;
}

}  // namespace qb
