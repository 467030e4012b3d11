#pragma once
// The channel masks of 16- and 32-bit bitmaps. A channel of n bits spans the
// whole 0-255 range: its value is scaled by 255 / (2^n - 1) and rounded, so
// that white is white in every layout.

#include <QRgb>
#include <QString>
#include <cstdint>

namespace qb::bmp {

// One channel's bits within a pixel.
struct ChannelMask {
  std::uint32_t mask = 0;
  int shift = 0;
  int bits = 0;

  explicit ChannelMask(std::uint32_t m = 0);
  // The channel of a pixel scaled to 8 bits; 0 for an empty mask.
  std::uint8_t Scaled(std::uint32_t pixel) const;
};

struct PixelMasks {
  std::uint32_t red = 0;
  std::uint32_t green = 0;
  std::uint32_t blue = 0;
  std::uint32_t alpha = 0;  // checked, but never shown: bitmaps are opaque
};

// The layouts of pixels stored without masks.
inline constexpr PixelMasks kRgb555Masks = {0x7C00, 0x03E0, 0x001F, 0};
inline constexpr PixelMasks kRgb888Masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0};

// Why masks cannot describe pixels of bitCount bits (no colour mask at all,
// a mask that is not one run of bits, masks that overlap, bits past the
// pixel's width); empty when they can. One or two empty colour masks are
// channels that are always 0.
QString MaskFault(const PixelMasks& masks, int bitCount);

// The value of an n-bit channel (1 <= n <= 32) on the 0-255 scale, rounded.
std::uint8_t ScaleChannel(std::uint32_t value, int bits);

// Turns stored pixels into opaque colours; the masks must have no fault.
class PixelUnpacker {
 public:
  explicit PixelUnpacker(const PixelMasks& masks);
  QRgb operator()(std::uint32_t pixel) const {
    return qRgb(red_.Scaled(pixel), green_.Scaled(pixel), blue_.Scaled(pixel));
  }

 private:
  ChannelMask red_;
  ChannelMask green_;
  ChannelMask blue_;
};

}  // namespace qb::bmp
