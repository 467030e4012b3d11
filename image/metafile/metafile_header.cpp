#include "image/metafile/metafile_header.h"

#include "image/metafile/metafile_reader.h"

#include <cstdlib>
#include <limits>

namespace qb::wmf {

namespace {

constexpr uint16_t kMemoryMetafile = 1;
constexpr uint16_t kDiskMetafile = 2;
constexpr uint16_t kHeaderWords = 9;
constexpr uint16_t kVersion1 = 0x0100;
constexpr uint16_t kVersion3 = 0x0300;
constexpr int kScreenDotsPerInch = 96;

void SetError(QString* error, const QString& text) {
  if (error) *error = text;
}

int ScaleToScreen(int units, int inch) { return (units * kScreenDotsPerInch + inch / 2) / inch; }

}  // namespace

std::optional<PlaceableHeader> ParsePlaceableHeader(std::span<const uint8_t> data) {
  if (data.size() < kPlaceableHeaderBytes) return std::nullopt;
  const RecordParams bytes(data.first(kPlaceableHeaderBytes));
  if (bytes.UInt32(0) != kPlaceableKey) return std::nullopt;
  PlaceableHeader header;
  header.left = bytes.Int16(6);
  header.top = bytes.Int16(8);
  header.right = bytes.Int16(10);
  header.bottom = bytes.Int16(12);
  header.inch = bytes.UInt16(14);
  return header;
}

std::optional<MetaHeader> ParseMetaHeader(std::span<const uint8_t> body, QString* error) {
  if (body.size() < kMetaHeaderBytes) {
    SetError(error, QStringLiteral("The metafile header is cut off."));
    return std::nullopt;
  }
  const RecordParams bytes(body.first(kMetaHeaderBytes));
  const uint16_t type = bytes.UInt16(0);
  const uint16_t headerWords = bytes.UInt16(2);
  const uint16_t version = bytes.UInt16(4);
  if ((type != kMemoryMetafile && type != kDiskMetafile) || headerWords != kHeaderWords ||
      (version != kVersion1 && version != kVersion3)) {
    SetError(error, QStringLiteral("The metafile header is not valid."));
    return std::nullopt;
  }
  MetaHeader header;
  header.type = type;
  header.sizeWords = bytes.UInt32(6);
  header.objectCount = bytes.UInt16(10);
  const uint64_t sizeBytes = static_cast<uint64_t>(header.sizeWords) * 2;
  if (sizeBytes < kMetaHeaderBytes) {
    SetError(error, QStringLiteral("The metafile states a size smaller than its header."));
    return std::nullopt;
  }
  if (sizeBytes > body.size()) {
    SetError(error, QStringLiteral("The metafile is truncated."));
    return std::nullopt;
  }
  return header;
}

std::optional<FrameSize> NaturalFrameSize(const PlaceableHeader& header, QString* error) {
  if (header.inch == 0) {
    SetError(error, QStringLiteral("The metafile states no resolution."));
    return std::nullopt;
  }
  const FrameSize size{ScaleToScreen(std::abs(header.right - header.left), header.inch),
                       ScaleToScreen(std::abs(header.bottom - header.top), header.inch)};
  if (size.width == 0 || size.height == 0) {
    SetError(error, QStringLiteral("The metafile's frame is empty."));
    return std::nullopt;
  }
  const int64_t pixelBytes = int64_t{size.width} * size.height * 4;
  if (size.width > kMaxFrameSide || size.height > kMaxFrameSide || pixelBytes > std::numeric_limits<int32_t>::max()) {
    SetError(error, QStringLiteral("The metafile's frame is too large."));
    return std::nullopt;
  }
  return size;
}

}  // namespace qb::wmf
