#pragma once
// The stretch writes 0xFFRRGGBB words; a canvas takes bytes R, G, B, A.

#include <cstddef>
#include <cstdint>

namespace qb::web {

// Turns each 0xAARRGGBB word, in place, into the bytes R, G, B, 255.
void ToRgba(std::uint32_t* pixels, std::size_t count);

}  // namespace qb::web
