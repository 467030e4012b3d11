#pragma once
// Geometry rules of GDI drawing in device pixels.

#include <QPointF>
#include <QRect>

namespace qb::wmf {

// Device coordinates are kept within this range so conversions to int stay
// defined and the rasteriser gets coordinates it can handle.
inline constexpr double kDeviceCoordinateLimit = 1 << 22;

// A device point rounded to whole pixels, clamped to the coordinate limit.
QPoint ToPixel(QPointF device);

// The box two corner points span, right and bottom exclusive as GDI's
// Rectangle and Ellipse take them: corners (0,0) and (10,10) give the ten
// pixels 0..9 each way. The result's width or height may be 0.
QRect ExclusiveBox(QPoint a, QPoint b);

// The angle of the ray from center through point, in degrees counter-
// clockwise on screen from the positive x axis, in [0, 360).
double RadialAngle(QPointF center, QPointF point);

// The counter-clockwise sweep from start to end, in (0, 360]: equal angles
// make a full turn, as GDI draws a whole ellipse when the radials coincide.
double CounterClockwiseSweep(double startDegrees, double endDegrees);

// QPainterPath measures arc angles on the circle the ellipse is stretched
// from; GDI's radial lines give true angles. The parameter angle, in degrees,
// of the point at polarDegrees on an ellipse with radii rx and ry.
double EllipseParameterAngle(double polarDegrees, double rx, double ry);

}  // namespace qb::wmf
