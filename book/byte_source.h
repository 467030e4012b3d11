#pragma once
// Where a book's bytes come from. Everything that reads a book reads through
// this, so that every claim the book makes is checked against what the
// source holds, and a source that has shrunk since is a damaged book.

#include <cstddef>
#include <cstdint>
#include <string>

namespace qb {

// Bytes of a book wherever they live: a file read with pread, or (in the web
// reader) ranges of a download or of a local file. A short read is a damaged
// book, never a signal.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual std::int64_t Size() const = 0;  // length as known when opened
  // Reads exactly count bytes at offset into out; false when the source does
  // not hold them (now).
  virtual bool ReadAt(std::int64_t offset, std::size_t count, std::uint8_t* out) = 0;
};

// Whether the source, at its known size, holds count bytes at offset.
inline bool Holds(const ByteSource& source, std::int64_t offset, std::int64_t count) {
  return offset >= 0 && count >= 0 && offset <= source.Size() && count <= source.Size() - offset;
}

// ReadAt into a string, checked against Size() before any memory is taken
// for it: a hostile length never allocates.
bool ReadBytes(ByteSource& source, std::int64_t offset, std::size_t count, std::string& out);

}  // namespace qb
