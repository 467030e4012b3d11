#include "book/byte_source.h"

namespace qb {

bool ReadBytes(ByteSource& source, std::int64_t offset, std::size_t count, std::string& out) {
  if (!Holds(source, offset, static_cast<std::int64_t>(count))) return false;
  out.resize(count);
  return source.ReadAt(offset, count, reinterpret_cast<std::uint8_t*>(out.data()));
}

}  // namespace qb
