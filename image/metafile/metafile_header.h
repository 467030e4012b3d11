#pragma once
// The two headers in front of a placeable metafile's records: the 22-byte
// placeable header (frame and resolution) and the 18-byte metafile header
// (total size and the size of the object table), and the natural pixel size
// the frame has on a 96-dot-per-inch screen.

#include <QString>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace qb::wmf {

inline constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
inline constexpr size_t kPlaceableHeaderBytes = 22;
inline constexpr size_t kMetaHeaderBytes = 18;
// A picture side may not exceed this many pixels, as for every page picture.
inline constexpr int kMaxFrameSide = 32767;

struct PlaceableHeader {
  int16_t left = 0;
  int16_t top = 0;
  int16_t right = 0;
  int16_t bottom = 0;
  uint16_t inch = 0;
};

struct MetaHeader {
  uint16_t type = 0;
  uint32_t sizeWords = 0;
  uint16_t objectCount = 0;
};

struct FrameSize {
  int width = 0;
  int height = 0;
};

// The placeable header at the start of data, or nothing when the key is missing.
std::optional<PlaceableHeader> ParsePlaceableHeader(std::span<const uint8_t> data);

// The metafile header that starts body (the bytes after the placeable header).
// Checks the type, the header size, the version and that the metafile's stated
// size is present in full.
std::optional<MetaHeader> ParseMetaHeader(std::span<const uint8_t> body, QString* error);

// |right - left| x |bottom - top| scaled from inch units to 96 dots per inch,
// rounded. Refuses an inch of 0, an empty frame, a side over kMaxFrameSide and
// a frame whose 32-bit pixels would not fit the pixel array's 31-bit size.
std::optional<FrameSize> NaturalFrameSize(const PlaceableHeader& header, QString* error);

}  // namespace qb::wmf
