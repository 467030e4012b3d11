#pragma once
// The loops every page passes through, byte by byte: between masked planes,
// unmasked colour bytes and 0x00RRGGBB pixels. Kept apart and built for
// speed (vectorised), since they run over every pixel of a page.

#include <cstddef>
#include <cstdint>

namespace qb {

// One run of a page's pixels, one pointer per plane; the bytes still masked.
struct MaskedPlanes {
  const std::uint8_t* blue = nullptr;
  const std::uint8_t* green = nullptr;
  const std::uint8_t* red = nullptr;
};

// The AND of the unmasked 0x00RRGGBB values of the same n pixels in each of
// rowCount runs (at least 1): into out, or ANDed into what out holds when
// `into` is set.
void AndMaskedRuns(const MaskedPlanes* runs, int rowCount, std::size_t n, bool into, std::uint32_t* out);

// out[k] = in[k] ^ mask.
void UnmaskBytes(const std::uint8_t* in, std::size_t n, std::uint8_t mask, std::uint8_t* out);

// sums[k] += runs[r][k] ^ mask for each of the rowCount runs; 257 rows of
// bytes fit a 16-bit sum.
inline constexpr int kRowsPerShortSum = 257;
void AddUnmaskedRuns(const std::uint8_t* const* runs, int rowCount, std::size_t n, std::uint8_t mask,
                     std::uint16_t* sums);

// inout[k] &= in[k] ^ mask.
void AndUnmaskedBytes(const std::uint8_t* in, std::size_t n, std::uint8_t mask, std::uint8_t* inout);

// Pages of more pixels than this are not read back from the cache after
// they are made: their stores pass it by, which they would only flush.
inline constexpr std::size_t kCacheFriendlyPixels = 2 * 1024 * 1024;

// n pixels 0x00RRGGBB from the masked blue, green and red planes, part of a
// page of pagePixels pixels (which decides whether the stores pass by the cache).
void PixelsFromMaskedPlanes(const std::uint8_t* blue, const std::uint8_t* green, const std::uint8_t* red, std::size_t n,
                            std::size_t pagePixels, std::uint32_t* out);
// n pixels 0x00RRGGBB from colour bytes already unmasked.
void PixelsFromPlanes(const std::uint8_t* blue, const std::uint8_t* green, const std::uint8_t* red, std::size_t n,
                      std::uint32_t* out);

// The masked planes of n pixels: blue[k] = (pixel & 0xFF) ^ blue mask, and so on.
void SplitIntoMaskedPlanes(const std::uint32_t* pixels, std::size_t n, std::uint8_t* blue, std::uint8_t* red,
                           std::uint8_t* green);

}  // namespace qb
