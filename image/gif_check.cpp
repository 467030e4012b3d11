#include "image/gif_check.h"

#include <cstdint>

#include "image/byte_fields.h"

namespace qb {

namespace {

constexpr qsizetype kHeaderSize = 13;  // signature, version, logical screen descriptor
constexpr qsizetype kImageDescriptorSize = 9;
constexpr std::uint8_t kExtension = 0x21;
constexpr std::uint8_t kImage = 0x2C;
constexpr std::uint8_t kColourTableFlag = 0x80;

qsizetype ColourTableSize(std::uint8_t flags) {
  return (flags & kColourTableFlag) ? 3 * (qsizetype{2} << (flags & 7)) : 0;
}

// Moves pos past a chain of sub-blocks; false when the chain is cut off.
bool SkipSubBlocks(QByteArrayView data, qsizetype& pos) {
  while (pos < data.size()) {
    const std::uint8_t length = ByteAt(data, pos++);
    if (length == 0) return true;
    pos += length;
  }
  return false;
}

}  // namespace

bool GifFirstFrameComplete(QByteArrayView data) {
  if (data.size() < kHeaderSize || !(data.startsWith("GIF87a") || data.startsWith("GIF89a"))) return false;
  qsizetype pos = kHeaderSize + ColourTableSize(ByteAt(data, 10));
  while (pos < data.size()) {
    const std::uint8_t introducer = ByteAt(data, pos++);
    if (introducer == kExtension) {
      ++pos;  // label
      if (!SkipSubBlocks(data, pos)) return false;
    } else if (introducer == kImage) {
      if (pos + kImageDescriptorSize + 1 > data.size()) return false;
      pos += kImageDescriptorSize + ColourTableSize(ByteAt(data, pos + 8)) + 1;  // + LZW code size
      return SkipSubBlocks(data, pos);
    } else {
      return false;  // trailer or garbage before any frame
    }
  }
  return false;
}

}  // namespace qb
