#include "image/bmp_masks.h"

#include <bit>
#include <cstdint>

namespace qb::bmp {

ChannelMask::ChannelMask(std::uint32_t m) : mask(m), shift(m == 0 ? 0 : std::countr_zero(m)), bits(std::popcount(m)) {}

std::uint8_t ChannelMask::Scaled(std::uint32_t pixel) const {
  if (bits == 0) return 0;
  const std::uint32_t value = (pixel & mask) >> shift;
  return bits == 8 ? static_cast<std::uint8_t>(value) : ScaleChannel(value, bits);
}

std::uint8_t ScaleChannel(std::uint32_t value, int bits) {
  const std::uint64_t max = (std::uint64_t{1} << bits) - 1;
  // max is odd, so the quotient is never exactly half-way.
  return static_cast<std::uint8_t>((std::uint64_t{value} * 255 + max / 2) / max);
}

QString MaskFault(const PixelMasks& masks, int bitCount) {
  struct Named {
    const char* name;
    std::uint32_t mask;
  };
  const Named all[] = {{"red", masks.red}, {"green", masks.green}, {"blue", masks.blue}, {"alpha", masks.alpha}};
  if ((masks.red | masks.green | masks.blue) == 0) return QStringLiteral("the bitmap's colour masks are all empty");
  const std::uint64_t pixelBits = (std::uint64_t{1} << bitCount) - 1;
  std::uint32_t seen = 0;
  for (const Named& c : all) {
    // An empty channel is valid and reads as 0 (a red-green picture).
    if (c.mask == 0) continue;
    const QString name = QLatin1String(c.name);
    const QString hex = QStringLiteral("0x%1").arg(c.mask, 8, 16, QLatin1Char('0'));
    // One run of bits: shifted down to bit 0 it is all ones.
    const std::uint32_t run = c.mask >> std::countr_zero(c.mask);
    if ((run & (run + 1)) != 0) return QStringLiteral("the bitmap's %1 mask %2 is not one run of bits").arg(name, hex);
    if ((c.mask & ~pixelBits) != 0)
      return QStringLiteral("the bitmap's %1 mask %2 reaches past its %3-bit pixels").arg(name, hex).arg(bitCount);
    if ((c.mask & seen) != 0) return QStringLiteral("the bitmap's %1 mask %2 overlaps another mask").arg(name, hex);
    seen |= c.mask;
  }
  return {};
}

PixelUnpacker::PixelUnpacker(const PixelMasks& masks) : red_(masks.red), green_(masks.green), blue_(masks.blue) {}

}  // namespace qb::bmp
