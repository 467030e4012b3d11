#include "web/core/rgba_pixels.h"

namespace qb::web {

void ToRgba(std::uint32_t* pixels, std::size_t count) {
  // Little-endian words: swapping red and blue and setting alpha gives the
  // byte order R, G, B, A. A plain loop the compiler turns into SIMD.
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t p = pixels[i];
    pixels[i] = 0xFF000000u | (p & 0x0000FF00u) | ((p >> 16) & 0xFFu) | ((p & 0xFFu) << 16);
  }
}

}  // namespace qb::web
