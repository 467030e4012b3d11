#pragma once
// The product's emblem, a berry with a quill behind it, shared by the
// program icon and the splash picture.

#include <QRectF>

class QPainter;

namespace qb::viewer {

// Draws the emblem into box (square boxes look best). Small boxes get the
// plain shapes only, so the emblem stays legible at icon sizes.
void DrawBerryWithQuill(QPainter& painter, const QRectF& box);

}  // namespace qb::viewer
