#include "viewer/book_identity.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "book/book_file.h"
#include "book/book_format.h"
#include "book/byte_source.h"
#include "common/utf8.h"

namespace qb::viewer {

BookIdentity IdentifyBook(const std::u16string& path) {
  BookIdentity identity;
  std::error_code error;
  const std::filesystem::path real = std::filesystem::weakly_canonical(ToPath(path), error);
  identity.path = error ? path : FromPath(real);
  BookFile file(path);
  std::string header;
  if (!file.IsOpen() || !ReadBytes(file, 0, format::kHeaderSize, header)) return identity;
  // FNV-1a, 64 bits: no defence against a forged header is needed, only
  // telling one book's header from another's.
  std::uint64_t digest = 0xCBF29CE484222325u;
  for (const unsigned char byte : header) {
    digest ^= byte;
    digest *= 0x100000001B3u;
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(digest));
  identity.header = text;
  return identity;
}

}  // namespace qb::viewer
