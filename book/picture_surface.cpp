#include "book/picture_surface.h"

namespace qb {

bool PictureSurface::StreamPixels(const PixelSink& sink) const {
  PixelArray pixels;
  const std::int32_t n = PictureToPixels(pixels);
  if (n < 0 || pixels.size() < static_cast<std::size_t>(n)) return false;
  return sink(pixels.data(), static_cast<std::size_t>(n));
}

}  // namespace qb
