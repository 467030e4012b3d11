#include "tools/qbbtool/unpack_limits.h"

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

}  // namespace qbbtool
