// Feeds arbitrary bytes to the book reader as a file: whatever the header
// claims, reading the header and every page must stay in bounds.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "book/book_reader.h"
#include "common/utf8.h"

namespace {

const std::u16string& ScratchPath() {
  static const std::u16string path = [] {
    // Memory-backed when available: the file is rewritten for every input.
    char pattern[] = "/dev/shm/reader-fuzz-XXXXXX";
    char fallback[] = "/tmp/reader-fuzz-XXXXXX";
    int fd = ::mkstemp(pattern);
    const char* chosen = pattern;
    if (fd < 0) {
      fd = ::mkstemp(fallback);
      chosen = fallback;
    }
    if (fd >= 0) ::close(fd);
    return qb::FromUtf8(chosen);
  }();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u16string& path = ScratchPath();
  if (std::FILE* file = std::fopen(qb::ToUtf8(path).c_str(), "wb")) {
    std::fwrite(data, 1, size, file);
    std::fclose(file);
  }
  qb::BookRecord book;
  const qb::BookStatus status = qb::ReadBookHeader(path, book);
  if (status == qb::kBookSound || status == qb::kBookCheckFailed) {
    for (const std::int32_t position : book.PageTable) {
      qb::PageImage page;
      static_cast<void>(qb::ReadPageImage(path, page, position));
    }
  }
  return 0;
}
