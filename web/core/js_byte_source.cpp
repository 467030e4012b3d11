#include "web/core/js_byte_source.h"

// Provided by host_read.js: copies count bytes at offset into out and
// returns 1, or 0 when the host cannot deliver them all. Numbers cross as
// doubles, exact for any file a browser holds.
extern "C" int qb_host_read(double offset, double count, std::uint8_t* out);

namespace qb::web {

bool JsByteSource::ReadAt(std::int64_t offset, std::size_t count, std::uint8_t* out) {
  // Nothing outside the length known at opening is ever asked for.
  if (offset < 0 || offset > size_ || count > static_cast<std::uint64_t>(size_ - offset)) return false;
  if (count == 0) return true;
  return qb_host_read(static_cast<double>(offset), static_cast<double>(count), out) == 1;
}

}  // namespace qb::web
