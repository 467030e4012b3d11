#include "image/metafile/metafile_mapping.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace qb::wmf {

namespace {

constexpr int kDeviceDotsPerInch = 96;

// Logical units per inch of the fixed map modes; their y axis points up.
int UnitsPerInch(int mode) {
  switch (mode) {
    case kMapLoMetric: return 254;
    case kMapHiMetric: return 2540;
    case kMapLoEnglish: return 100;
    case kMapHiEnglish: return 1000;
    case kMapTwips: return 1440;
    default: return 0;
  }
}

int Sign(int value) { return value < 0 ? -1 : 1; }

// Extents are ints in GDI; scaled ones are kept away from 0 and from overflow.
int ClampExtent(double value, int sign) {
  const double magnitude = std::clamp(std::fabs(value), 1.0, double(std::numeric_limits<int>::max()));
  return sign * static_cast<int>(std::lround(magnitude));
}

QPoint Scaled(QPoint ext, int xNum, int xDenom, int yNum, int yDenom) {
  if (xNum == 0 || xDenom == 0 || yNum == 0 || yDenom == 0) return ext;
  const double x = double(ext.x()) * xNum / xDenom;
  const double y = double(ext.y()) * yNum / yDenom;
  return {ClampExtent(x, x < 0 ? -1 : 1), ClampExtent(y, y < 0 ? -1 : 1)};
}

}  // namespace

Mapping Mapping::ForFrame(QPoint windowOrg, QPoint windowExt, QPoint viewportExt) {
  Mapping mapping;
  mapping.mode_ = kMapAnisotropic;
  mapping.windowOrg_ = windowOrg;
  mapping.SetWindowExt(windowExt);
  mapping.SetViewportExt(viewportExt);
  return mapping;
}

void Mapping::SetMode(int mode) {
  if (mode < kMapText || mode > kMapAnisotropic) return;
  mode_ = mode;
  if (mode == kMapText) {
    windowExt_ = viewportExt_ = {1, 1};
  } else if (const int units = UnitsPerInch(mode)) {
    windowExt_ = {units, units};
    viewportExt_ = {kDeviceDotsPerInch, -kDeviceDotsPerInch};
  } else if (mode == kMapIsotropic) {
    MakeIsotropic();
  }
}

void Mapping::SetWindowExt(QPoint ext) {
  if (!Scalable() || ext.x() == 0 || ext.y() == 0) return;
  windowExt_ = ext;
  if (mode_ == kMapIsotropic) MakeIsotropic();
}

void Mapping::SetViewportExt(QPoint ext) {
  if (!Scalable() || ext.x() == 0 || ext.y() == 0) return;
  viewportExt_ = ext;
  if (mode_ == kMapIsotropic) MakeIsotropic();
}

void Mapping::ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom) {
  SetWindowExt(Scaled(windowExt_, xNum, xDenom, yNum, yDenom));
}

void Mapping::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom) {
  SetViewportExt(Scaled(viewportExt_, xNum, xDenom, yNum, yDenom));
}

void Mapping::MakeIsotropic() {
  const double sx = std::fabs(double(viewportExt_.x()) / windowExt_.x());
  const double sy = std::fabs(double(viewportExt_.y()) / windowExt_.y());
  if (sx < sy) {
    viewportExt_.setY(ClampExtent(sx * std::abs(windowExt_.y()), Sign(viewportExt_.y())));
  } else if (sy < sx) {
    viewportExt_.setX(ClampExtent(sy * std::abs(windowExt_.x()), Sign(viewportExt_.x())));
  }
}

double Mapping::ScaleX() const { return windowExt_.x() == 0 ? 1.0 : double(viewportExt_.x()) / windowExt_.x(); }

double Mapping::ScaleY() const { return windowExt_.y() == 0 ? 1.0 : double(viewportExt_.y()) / windowExt_.y(); }

QPointF Mapping::ToDevice(QPointF logical) const {
  return {(logical.x() - windowOrg_.x()) * ScaleX() + viewportOrg_.x(),
          (logical.y() - windowOrg_.y()) * ScaleY() + viewportOrg_.y()};
}

QPointF Mapping::ToLogical(QPointF device) const {
  return {(device.x() - viewportOrg_.x()) / ScaleX() + windowOrg_.x(),
          (device.y() - viewportOrg_.y()) / ScaleY() + windowOrg_.y()};
}

double Mapping::LengthX(double logical) const { return std::fabs(logical * ScaleX()); }
double Mapping::LengthY(double logical) const { return std::fabs(logical * ScaleY()); }

QPoint Mapping::SaturatedSum(QPoint a, QPoint b) {
  const auto sum = [](int x, int y) {
    return static_cast<int>(std::clamp<int64_t>(int64_t{x} + y, INT32_MIN, INT32_MAX));
  };
  return QPoint(sum(a.x(), b.x()), sum(a.y(), b.y()));
}

}  // namespace qb::wmf
