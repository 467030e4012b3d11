#include "image/jpeg_check.h"

#include <algorithm>
#include <cstdint>

#include "image/byte_fields.h"

namespace qb {

namespace {

constexpr std::uint8_t kMarkerPrefix = 0xFF;
constexpr std::uint8_t kStuffedZero = 0x00;
constexpr std::uint8_t kTem = 0x01;
constexpr std::uint8_t kRst0 = 0xD0;
constexpr std::uint8_t kRst7 = 0xD7;
constexpr std::uint8_t kSoi = 0xD8;
constexpr std::uint8_t kEoi = 0xD9;

bool StandsAlone(std::uint8_t marker) {
  return marker == kStuffedZero || marker == kTem || (marker >= kRst0 && marker <= kRst7);
}

// Frame headers: SOF0-3 and SOF5-7 are Huffman-coded, SOF9-11 and SOF13-15
// arithmetic-coded (0xC4, 0xC8 and 0xCC are other segments).
bool IsHuffmanFrame(std::uint8_t marker) {
  return (marker >= 0xC0 && marker <= 0xC3) || (marker >= 0xC5 && marker <= 0xC7);
}

bool IsArithmeticFrame(std::uint8_t marker) {
  return (marker >= 0xC9 && marker <= 0xCB) || (marker >= 0xCD && marker <= 0xCF);
}

std::int64_t CeilDiv(std::int64_t a, std::int64_t b) { return (a + b - 1) / b; }

// The 8 x 8 blocks a frame header at pos (just after its length) declares,
// counting each component at its own sampling; 0 when it cannot tell.
std::int64_t DeclaredBlocks(QByteArrayView data, qsizetype pos, qsizetype length) {
  if (length < 8) return 0;
  const std::int64_t height = (std::int64_t{ByteAt(data, pos + 1)} << 8) | ByteAt(data, pos + 2);
  const std::int64_t width = (std::int64_t{ByteAt(data, pos + 3)} << 8) | ByteAt(data, pos + 4);
  const int components = ByteAt(data, pos + 5);
  if (height == 0 || width == 0 || components == 0 || length < 8 + 3 * components) return 0;
  int maxH = 1;
  int maxV = 1;
  for (int c = 0; c < components; ++c) {
    const std::uint8_t sampling = ByteAt(data, pos + 6 + 3 * c + 1);
    maxH = std::max(maxH, sampling >> 4);
    maxV = std::max(maxV, sampling & 0x0F);
  }
  std::int64_t blocks = 0;
  for (int c = 0; c < components; ++c) {
    const std::uint8_t sampling = ByteAt(data, pos + 6 + 3 * c + 1);
    const int h = sampling >> 4;
    const int v = sampling & 0x0F;
    if (h == 0 || v == 0) return 0;
    blocks += CeilDiv(CeilDiv(width * h, maxH), 8) * CeilDiv(CeilDiv(height * v, maxV), 8);
  }
  return blocks;
}

}  // namespace

bool JpegStreamComplete(QByteArrayView data) {
  const qsizetype n = data.size();
  if (n < 4 || ByteAt(data, 0) != kMarkerPrefix || ByteAt(data, 1) != kSoi) return false;
  qsizetype pos = 2;
  while (pos < n) {
    // Entropy-coded data (and stray bytes between segments, which decoders
    // skip) hold no 0xFF except as a stuffed byte or a marker.
    if (ByteAt(data, pos) != kMarkerPrefix) {
      ++pos;
      continue;
    }
    qsizetype at = pos + 1;
    while (at < n && ByteAt(data, at) == kMarkerPrefix) ++at;  // fill bytes
    if (at >= n) return false;
    const std::uint8_t marker = ByteAt(data, at);
    pos = at + 1;
    if (marker == kEoi) return true;
    if (StandsAlone(marker)) continue;
    if (pos + 2 > n) return false;
    const qsizetype length = (qsizetype{ByteAt(data, pos)} << 8) | ByteAt(data, pos + 1);
    if (length < 2 || pos + length > n) return false;
    pos += length;
  }
  return false;
}

bool JpegLongEnoughForItsSize(QByteArrayView data) {
  const qsizetype n = data.size();
  if (n < 4 || ByteAt(data, 0) != kMarkerPrefix || ByteAt(data, 1) != kSoi) return true;
  qsizetype pos = 2;
  // The frame header comes before the first scan, among marker segments.
  while (pos + 4 <= n && ByteAt(data, pos) == kMarkerPrefix) {
    const std::uint8_t marker = ByteAt(data, pos + 1);
    if (marker == kMarkerPrefix) {
      ++pos;
      continue;
    }
    const qsizetype length = (qsizetype{ByteAt(data, pos + 2)} << 8) | ByteAt(data, pos + 3);
    if (length < 2 || pos + 2 + length > n) return true;
    if (IsArithmeticFrame(marker)) return true;
    if (IsHuffmanFrame(marker)) return DeclaredBlocks(data, pos + 4, length) <= std::int64_t{n} * 8;
    pos += 2 + length;
  }
  return true;
}

}  // namespace qb
