#include "book/page_rows.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "book/book_format.h"
#include "book/book_reader.h"
#include "common/regular_file.h"
#include "common/utf8.h"

namespace qb {
namespace {

bool ReadExactly(int fd, std::uint8_t* out, std::size_t count, std::int64_t offset) {
  while (count > 0) {
    const ssize_t got = ::pread(fd, out, count, static_cast<off_t>(offset));
    if (got <= 0) return false;
    out += got;
    count -= static_cast<std::size_t>(got);
    offset += got;
  }
  return true;
}

// Closes the descriptor however Open leaves; the mapping outlives it.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

PageRows::~PageRows() { Close(); }

void PageRows::Close() {
  if (map_) ::munmap(map_, mapLength_);
  map_ = nullptr;
  mapLength_ = 0;
  record_ = nullptr;
  width_ = height_ = 0;
  reserved_ = 0;
}

int PageRows::Open(const std::u16string& path, std::int32_t position) {
  Close();
  // Only regular files are books; a pipe put in the book's place is refused
  // without waiting on it.
  const Descriptor file(OpenRegularFile(ToPath(path), O_RDONLY));
  struct stat info {};
  std::uint8_t head[format::kPageHeaderSize];
  const std::int64_t offset = static_cast<std::int64_t>(position) - 1;
  if (file.get() < 0 || ::fstat(file.get(), &info) != 0 || position < 1 ||
      offset + static_cast<std::int64_t>(sizeof head) > info.st_size ||
      !ReadExactly(file.get(), head, sizeof head, offset)) {
    return kBookDamaged;
  }
  const auto field = [&head](int at) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(head[at] | head[at + 1] << 8));
  };
  const std::int16_t width = field(0);
  const std::int16_t height = field(2);
  const std::int64_t end = offset + format::PageRecordSize(width, height);
  if (width < 0 || height < 0 || end > info.st_size) return kBookDamaged;

  // Mappings start on a page boundary of the file.
  const std::int64_t pageSize = ::sysconf(_SC_PAGESIZE);
  const std::int64_t start = offset / pageSize * pageSize;
  void* map = ::mmap(nullptr, static_cast<std::size_t>(end - start), PROT_READ, MAP_PRIVATE, file.get(),
                     static_cast<off_t>(start));
  if (map == MAP_FAILED) return kBookDamaged;
  map_ = map;
  mapLength_ = static_cast<std::size_t>(end - start);
  record_ = static_cast<const std::uint8_t*>(map) + (offset - start) + format::kPageHeaderSize;
  width_ = width;
  height_ = height;
  reserved_ = field(4);
  return kBookSound;
}

MaskedPlanes PageRows::Planes() const {
  const std::size_t plane = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) + 1;
  return {record_, record_ + 2 * plane, record_ + plane};
}

MaskedPlanes PageRows::Row(int row) const {
  const std::size_t at = static_cast<std::size_t>(height_ - 1 - row) * static_cast<std::size_t>(width_);
  const MaskedPlanes planes = Planes();
  return {planes.blue + at, planes.green + at, planes.red + at};
}

}  // namespace qb
