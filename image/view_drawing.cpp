#include "image/view_drawing.h"

#include <QPainter>

namespace qb {

DrawRect DrawPageIntoView(QImage& view, const QImage& page, const QColor& background) {
  view.fill(background);
  const DrawRect r = FitPageToView(page.width(), page.height(), view.width(), view.height());
  if (page.isNull() || r.width <= 0 || r.height <= 0) return r;
  QPainter painter(&view);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.drawImage(QRect(r.x, r.y, r.width, r.height), page, page.rect());
  return r;
}

}  // namespace qb
