#include "viewer/screen_centre.h"

namespace qb::viewer {

QPoint CentredTopLeft(const QRect& screen, const QSize& window) {
  return screen.topLeft() + QPoint((screen.width() - window.width()) / 2, (screen.height() - window.height()) / 2);
}

}  // namespace qb::viewer
