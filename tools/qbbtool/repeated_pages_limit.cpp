#include "tools/qbbtool/repeated_pages_limit.h"

#include <filesystem>
#include <map>

#include "book/book_reader.h"
#include "common/utf8.h"

namespace qbbtool {

namespace {

constexpr std::uint64_t kBmpHeaderBytes = 14 + 40;
constexpr std::uint64_t kSlackBytes = std::uint64_t{64} << 20;

}  // namespace

std::uint64_t BmpFileSize(int width, int height) {
  if (width <= 0 || height <= 0) return 0;
  const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * 3 + 3) & ~std::uint64_t{3};
  return kBmpHeaderBytes + rowBytes * static_cast<std::uint64_t>(height);
}

std::uint64_t MaxUnpackedBytes(std::uint64_t bookSize) { return 4 * bookSize + kSlackBytes; }

std::string RepeatedPagesRefusal(const std::u16string& bookPath, const qb::BookRecord& book) {
  std::error_code error;
  const auto bookSize = static_cast<std::uint64_t>(std::filesystem::file_size(qb::ToPath(bookPath), error));
  if (error) return {};
  std::map<std::int32_t, std::uint64_t> sizes;
  std::uint64_t total = 0;
  for (const std::int32_t position : book.PageTable) {
    auto [entry, added] = sizes.try_emplace(position, 0);
    if (added) {
      qb::PageImage page;
      if (qb::ReadPageHeader(bookPath, page, position) == qb::kBookSound)
        entry->second = BmpFileSize(page.Width, page.Height);
    }
    total += entry->second;
  }
  if (total <= MaxUnpackedBytes(bookSize)) return {};
  return "the book's " + std::to_string(book.PageCount) + " pages would take " + std::to_string(total >> 20) +
         " MiB of pictures, more than 4 times the book's " + std::to_string(bookSize) +
         " bytes plus 64 MiB: its page table repeats pages, as a book made to fill the disk does; nothing was "
         "written";
}

}  // namespace qbbtool
