#include "viewer/viewer_icon.h"

#include <QPainter>
#include <QPixmap>

#include "viewer/berry_drawing.h"

namespace qb::viewer {

QImage DrawViewerIcon(int size) {
  QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
  icon.fill(Qt::transparent);
  QPainter painter(&icon);
  // A one-pixel margin keeps the outline from touching the edge.
  DrawBerryWithQuill(painter, QRectF(1, 1, size - 2, size - 2));
  return icon;
}

QIcon ViewerIcon() {
  QIcon icon;
  for (const int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(QPixmap::fromImage(DrawViewerIcon(size)));
  return icon;
}

}  // namespace qb::viewer
