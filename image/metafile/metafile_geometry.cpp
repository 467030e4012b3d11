#include "image/metafile/metafile_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace qb::wmf {

namespace {

int ClampToPixel(double value) {
  if (std::isnan(value)) return 0;
  return static_cast<int>(std::lround(std::clamp(value, -kDeviceCoordinateLimit, kDeviceCoordinateLimit)));
}

}  // namespace

QPoint ToPixel(QPointF device) { return {ClampToPixel(device.x()), ClampToPixel(device.y())}; }

QRect ExclusiveBox(QPoint a, QPoint b) {
  const int left = std::min(a.x(), b.x());
  const int top = std::min(a.y(), b.y());
  return QRect(left, top, std::max(a.x(), b.x()) - left, std::max(a.y(), b.y()) - top);
}

double RadialAngle(QPointF center, QPointF point) {
  const double dx = point.x() - center.x();
  const double dy = center.y() - point.y();  // screen y grows downwards
  if (dx == 0 && dy == 0) return 0;
  double degrees = std::atan2(dy, dx) * 180.0 / std::numbers::pi;
  if (degrees < 0) degrees += 360.0;
  return degrees >= 360.0 ? 0.0 : degrees;
}

double CounterClockwiseSweep(double startDegrees, double endDegrees) {
  double sweep = std::fmod(endDegrees - startDegrees, 360.0);
  if (sweep <= 0) sweep += 360.0;
  return sweep;
}

double EllipseParameterAngle(double polarDegrees, double rx, double ry) {
  const double polar = polarDegrees * std::numbers::pi / 180.0;
  double degrees = std::atan2(rx * std::sin(polar), ry * std::cos(polar)) * 180.0 / std::numbers::pi;
  if (degrees < 0) degrees += 360.0;
  return degrees >= 360.0 ? 0.0 : degrees;
}

}  // namespace qb::wmf
