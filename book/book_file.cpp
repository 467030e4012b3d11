#include "book/book_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "book/book_format.h"
#include "book/book_reader.h"
#include "common/regular_file.h"
#include "common/utf8.h"

namespace qb {

BookFile::BookFile(const std::u16string& path) : fd_(OpenRegularFile(ToPath(path), O_RDONLY)) {
  struct stat status {};
  if (fd_ >= 0 && ::fstat(fd_, &status) == 0) size_ = static_cast<std::int64_t>(status.st_size);
}

BookFile::~BookFile() {
  if (fd_ >= 0) ::close(fd_);
}

bool BookFile::ReadAt(std::int64_t offset, std::size_t count, std::uint8_t* out) {
  if (fd_ < 0 || !Holds(*this, offset, static_cast<std::int64_t>(count))) return false;
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n = ::pread(fd_, out + done, count - done, static_cast<off_t>(offset) + done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

bool ReadRecordHeader(ByteSource& source, std::int32_t position, PageImage& page) {
  std::string head;
  if (position < 1 || !ReadBytes(source, position - 1, format::kPageHeaderSize, head)) return false;
  const std::int16_t width = GetInt16(head, 0);
  const std::int16_t height = GetInt16(head, 2);
  if (width < 0 || height < 0 || !Holds(source, position - 1, format::PageRecordSize(width, height))) return false;
  page.Width = width;
  page.Height = height;
  page.Reserved = GetInt16(head, 4);
  return true;
}

}  // namespace qb
