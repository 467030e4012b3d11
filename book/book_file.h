#pragma once
// An open book file whose size is known, so that every claim the file makes
// can be checked before anything is read or allocated for it. Only regular
// files are books: a folder, a device or a pipe is refused on the opened
// descriptor, without blocking.

#include <cstdint>
#include <string>

#include "book/book_record.h"

namespace qb {

class BookFile {
 public:
  explicit BookFile(const std::u16string& path);
  ~BookFile();
  BookFile(const BookFile&) = delete;
  BookFile& operator=(const BookFile&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  int Descriptor() const { return fd_; }
  std::int64_t Size() const { return size_; }

  // Whether the file holds count bytes at offset.
  bool Fits(std::int64_t offset, std::int64_t count) const {
    return offset >= 0 && count >= 0 && offset <= size_ && count <= size_ - offset;
  }

  // Reads exactly count bytes at offset; false when the file does not hold them.
  bool Read(std::int64_t offset, std::size_t count, std::string& out);

 private:
  int fd_;
  std::int64_t size_ = 0;
};

// Reads and checks the six-byte header of the page record at the 1-based
// position into page (Pixels untouched): its dimensions must be sane and the
// whole record inside the file.
bool ReadRecordHeader(BookFile& file, std::int32_t position, PageImage& page);

}  // namespace qb
