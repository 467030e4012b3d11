#include "image/metafile/metafile_work_budget.h"

#include <algorithm>

namespace qb::wmf {

WorkBudget::WorkBudget(const QRect& frame)
    : frame_(frame),
      limit_(std::clamp(int64_t{frame.width()} * frame.height() * kFrameRepaints, kMinimumPixels, kMaximumPixels)) {}

double WorkBudget::Touched(const QRectF& deviceBounds) const {
  const QRectF touched = deviceBounds.normalized().intersected(frame_);
  return touched.isEmpty() ? 0.0 : touched.width() * touched.height();
}

void WorkBudget::ChargeArea(const QRectF& deviceBounds, int64_t weight) {
  spent_ += kOperationCost + static_cast<int64_t>(Touched(deviceBounds)) * weight;
}

void WorkBudget::ChargeStroke(double length, double width, const QRectF& deviceBounds) {
  const double margin = width / 2 + 1;
  const double area = Touched(deviceBounds.normalized().adjusted(-margin, -margin, margin, margin));
  spent_ += kOperationCost + static_cast<int64_t>(std::min(area, length * std::max(width, 1.0)));
}

void WorkBudget::ChargeScanConversion(double crossings, double height) {
  // Measured: one crossing sorted against another costs about as much as
  // filling three pixels.
  constexpr double kPixelsPerCrossingPair = 3;
  const double rows = std::max(height, 1.0);
  const double cost = crossings * (crossings / rows) * kPixelsPerCrossingPair;
  spent_ += static_cast<int64_t>(std::min(cost, static_cast<double>(kMaximumPixels) * 2));
}

}  // namespace qb::wmf
