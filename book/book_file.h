#pragma once
// An open book file whose size is known, so that every claim the file makes
// can be checked before anything is read or allocated for it. Only regular
// files are books: a folder, a device or a pipe is refused on the opened
// descriptor, without blocking.

#include <cstdint>
#include <string>

#include "book/book_record.h"
#include "book/byte_source.h"

namespace qb {

class BookFile : public ByteSource {
 public:
  explicit BookFile(const std::u16string& path);
  ~BookFile() override;
  BookFile(const BookFile&) = delete;
  BookFile& operator=(const BookFile&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  int Descriptor() const { return fd_; }
  std::int64_t Size() const override { return size_; }

  // With pread, never through a mapping: a file cut short since it was
  // opened reads short (false), where a mapping would raise SIGBUS.
  bool ReadAt(std::int64_t offset, std::size_t count, std::uint8_t* out) override;

 private:
  int fd_;
  std::int64_t size_ = 0;
};

// Reads and checks the six-byte header of the page record at the 1-based
// position into page (Pixels untouched): its dimensions must be sane and the
// whole record inside the source.
bool ReadRecordHeader(ByteSource& source, std::int32_t position, PageImage& page);

}  // namespace qb
