#pragma once
// Where a window sits when it is centred on a screen.

#include <QPoint>
#include <QRect>
#include <QSize>

namespace qb::viewer {

// The top-left corner that centres window on screen; halves are truncated
// toward zero, so a window larger than the screen sits equally far outside
// on both sides.
QPoint CentredTopLeft(const QRect& screen, const QSize& window);

}  // namespace qb::viewer
