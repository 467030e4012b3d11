#include "image/jpeg_check.h"

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

}  // namespace qb
