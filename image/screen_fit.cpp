#include "image/screen_fit.h"

#include <algorithm>
#include <cstdint>

namespace qb {

DrawRect FitPageToScreen(int pw, int ph, int sw, int sh) {
  if (pw <= 0 || ph <= 0 || sw <= 0 || sh <= 0) return {sw / 2, sh / 2, 0, 0};
  DrawRect r;
  if (pw > sw || ph > sh) {
    // Compared and scaled in whole numbers: no rounding can push an edge
    // one pixel past the screen.
    if (std::int64_t{pw} * sh >= std::int64_t{ph} * sw) {
      r.width = sw;
      r.height = static_cast<int>(std::max<std::int64_t>(1, std::int64_t{ph} * sw / pw));
    } else {
      r.width = static_cast<int>(std::max<std::int64_t>(1, std::int64_t{pw} * sh / ph));
      r.height = sh;
    }
  } else {
    const int factor = std::min(sw / pw, sh / ph);
    r.width = pw * factor;
    r.height = ph * factor;
  }
  r.x = (sw - r.width) / 2;
  r.y = (sh - r.height) / 2;
  return r;
}

}  // namespace qb
