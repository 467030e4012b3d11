#include "image/page_fit.h"

#include <cmath>

namespace qb {

DrawRect FitPageToView(int pw, int ph, int vw, int vh) {
  DrawRect r;
  if (vw > pw && vh > ph) {
    r.width = pw;
    r.height = ph;
  } else if (pw > ph) {
    // The ratio is held in single precision: in double some heights would
    // come out a pixel different.
    const float ratio = static_cast<float>(static_cast<double>(vw) / pw);
    r.width = vw;
    r.height = static_cast<int>(std::floor(static_cast<double>(ph) * ratio));
  } else if (ph > 0) {
    const float ratio = static_cast<float>(static_cast<double>(vh) / ph);
    r.width = static_cast<int>(std::floor(static_cast<double>(pw) * ratio));
    r.height = vh;
  }
  // Integer division truncates toward zero, also for negative offsets.
  r.x = (vw - r.width) / 2;
  r.y = (vh - r.height) / 2;
  return r;
}

}  // namespace qb
