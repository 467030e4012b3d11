#include "viewer/viewer_icon.h"

#include <QPainter>

#include "common/ui/program_icon.h"
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

QIcon ViewerIcon() { return ProgramIcon(DrawViewerIcon); }

}  // namespace qb::viewer
