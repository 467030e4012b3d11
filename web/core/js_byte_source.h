#pragma once
// A book's bytes wherever the page found them (slices of a chosen file,
// ranges of a URL): every read asks the host page through one imported
// function. The host answers synchronously, which a web worker may do.

#include <cstddef>
#include <cstdint>

#include "book/byte_source.h"

namespace qb::web {

class JsByteSource : public ByteSource {
 public:
  explicit JsByteSource(std::int64_t size) : size_(size) {}
  std::int64_t Size() const override { return size_; }
  bool ReadAt(std::int64_t offset, std::size_t count, std::uint8_t* out) override;

 private:
  std::int64_t size_;
};

}  // namespace qb::web
