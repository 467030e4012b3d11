#include "book/page_rows.h"

#include <sys/mman.h>
#include <unistd.h>

#include "book/book_file.h"
#include "book/book_format.h"
#include "book/book_reader.h"

namespace qb {

PageRows::~PageRows() { Close(); }

void PageRows::Close() {
  if (map_) ::munmap(map_, mapLength_);
  map_ = nullptr;
  mapLength_ = 0;
  record_ = nullptr;
  width_ = height_ = 0;
  reserved_ = 0;
}

BookStatus PageRows::Open(const std::u16string& path, std::int32_t position) {
  Close();
  BookFile file(path);
  PageImage head;
  if (!ReadRecordHeader(file, position, head)) return kBookDamaged;
  const std::int64_t offset = static_cast<std::int64_t>(position) - 1;
  const std::int64_t end = offset + format::PageRecordSize(head.Width, head.Height);

  // Mappings start on a page boundary of the file.
  const std::int64_t pageSize = ::sysconf(_SC_PAGESIZE);
  const std::int64_t start = offset / pageSize * pageSize;
  void* map = ::mmap(nullptr, static_cast<std::size_t>(end - start), PROT_READ, MAP_PRIVATE, file.Descriptor(),
                     static_cast<off_t>(start));
  if (map == MAP_FAILED) return kBookDamaged;
  map_ = map;
  mapLength_ = static_cast<std::size_t>(end - start);
  record_ = static_cast<const std::uint8_t*>(map) + (offset - start) + format::kPageHeaderSize;
  width_ = head.Width;
  height_ = head.Height;
  reserved_ = head.Reserved;
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
