#include "image/gif_check.h"

#include <QByteArray>
#include <algorithm>
#include <cstdint>
#include <vector>

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

constexpr int kMaxCodeBits = 12;
constexpr int kTableSize = 1 << kMaxCodeBits;

// Moves pos past a chain of sub-blocks, appending their contents to joined
// when given; false when the chain is cut off.
bool SkipSubBlocks(QByteArrayView data, qsizetype& pos, QByteArray* joined = nullptr) {
  while (pos < data.size()) {
    const std::uint8_t length = ByteAt(data, pos++);
    if (length == 0) return true;
    if (joined) joined->append(data.sliced(pos, std::min<qsizetype>(length, data.size() - pos)));
    pos += length;
  }
  return false;
}

}  // namespace

qint64 GifLzwPixelCount(int minimumCodeSize, QByteArrayView data, qint64 limit) {
  if (minimumCodeSize < 1 || minimumCodeSize > kMaxCodeBits - 1) return 0;
  const int clear = 1 << minimumCodeSize;
  const int end = clear + 1;
  // Only the length of each code's string matters for counting.
  std::vector<qint64> length(kTableSize, 1);
  int codeBits = minimumCodeSize + 1;
  int next = end + 1;
  int previous = -1;
  qint64 pixels = 0;
  std::uint32_t buffer = 0;
  int buffered = 0;
  qsizetype pos = 0;
  while (pixels < limit) {
    while (buffered < codeBits && pos < data.size()) {
      buffer |= std::uint32_t{ByteAt(data, pos++)} << buffered;
      buffered += 8;
    }
    if (buffered < codeBits) break;  // the data ran out
    const int code = static_cast<int>(buffer & ((1u << codeBits) - 1));
    buffer >>= codeBits;
    buffered -= codeBits;
    if (code == clear) {
      codeBits = minimumCodeSize + 1;
      next = end + 1;
      previous = -1;
      continue;
    }
    if (code == end) break;
    qint64 produced = 0;
    if (previous < 0) {
      if (code >= clear) break;  // the first code after a clear must be a pixel
      produced = 1;
    } else if (code < next) {
      produced = length[static_cast<std::size_t>(code)];
    } else if (code == next) {
      produced = length[static_cast<std::size_t>(previous)] + 1;
    } else {
      break;  // a code not yet defined: the decoder stops here
    }
    if (previous >= 0 && next < kTableSize) {
      length[static_cast<std::size_t>(next)] = length[static_cast<std::size_t>(previous)] + 1;
      ++next;
      if (next == (1 << codeBits) && codeBits < kMaxCodeBits) ++codeBits;
    }
    pixels += produced;
    previous = code;
  }
  return std::min(pixels, limit);
}

namespace {

// Position of the first frame's image descriptor (just after its 0x2C), or
// -1 when the data is no GIF or ends before a whole descriptor.
qsizetype FirstImageDescriptor(QByteArrayView data) {
  if (data.size() < kHeaderSize || !(data.startsWith("GIF87a") || data.startsWith("GIF89a"))) return -1;
  qsizetype pos = kHeaderSize + ColourTableSize(ByteAt(data, 10));
  while (pos < data.size()) {
    const std::uint8_t introducer = ByteAt(data, pos++);
    if (introducer == kExtension) {
      ++pos;  // label
      if (!SkipSubBlocks(data, pos)) return -1;
    } else if (introducer == kImage) {
      return pos + kImageDescriptorSize <= data.size() ? pos : -1;
    } else {
      return -1;  // trailer or garbage before any frame
    }
  }
  return -1;
}

}  // namespace

bool GifFirstFrameComplete(QByteArrayView data) {
  qsizetype pos = FirstImageDescriptor(data);
  if (pos < 0 || pos + kImageDescriptorSize + 1 > data.size()) return false;
  const qint64 framePixels = qint64{U16Le(data, pos + 4)} * U16Le(data, pos + 6);
  pos += kImageDescriptorSize + ColourTableSize(ByteAt(data, pos + 8));
  if (pos >= data.size()) return false;
  const int minimumCodeSize = ByteAt(data, pos++);
  QByteArray compressed;
  if (!SkipSubBlocks(data, pos, &compressed)) return false;
  return GifLzwPixelCount(minimumCodeSize, compressed, framePixels) == framePixels;
}

QRect GifFirstFrameRect(QByteArrayView data) {
  const qsizetype pos = FirstImageDescriptor(data);
  if (pos < 0) return {};
  return QRect(U16Le(data, pos), U16Le(data, pos + 2), U16Le(data, pos + 4), U16Le(data, pos + 6));
}

}  // namespace qb
