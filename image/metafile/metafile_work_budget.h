#pragma once
// A ceiling on the pixels a metafile may paint. Record counts are bounded by
// the data size, but a few bytes can ask for a fill of the whole picture, so
// a small hostile file could keep the program busy for hours. Each drawing
// operation is charged the pixels it can touch within the picture plus a
// fixed cost; a picture that overdraws its frame more often than any real
// picture does is refused instead of drawn.

#include <QRect>
#include <QRectF>
#include <cstdint>

namespace qb::wmf {

class WorkBudget {
 public:
  // Room for kFrameRepaints repaints of the frame, at least kMinimumPixels
  // and at most kMaximumPixels in all.
  static constexpr int64_t kFrameRepaints = 256;
  static constexpr int64_t kMinimumPixels = int64_t{1} << 28;
  static constexpr int64_t kMaximumPixels = int64_t{1} << 33;
  static constexpr int64_t kOperationCost = 64;

  explicit WorkBudget(const QRect& frame);

  // A fill, blit or text whose pixels lie within deviceBounds; weight for
  // work that costs several times a fill per pixel.
  void ChargeArea(const QRectF& deviceBounds, int64_t weight = 1);
  // Pixels processed off the picture, such as a pattern recoloured for a fill.
  void ChargePixels(int64_t pixels) { spent_ += kOperationCost + pixels; }
  // An outline of the given length and pen width within deviceBounds.
  void ChargeStroke(double length, double width, const QRectF& deviceBounds);
  // Filling an outline whose edges cross the scanlines `crossings` times in
  // all over `height` scanlines: each scanline sorts its crossings, so the
  // work grows with crossings per scanline times crossings, not with area.
  // A shape that zig-zags across the picture costs far more than its box.
  void ChargeScanConversion(double crossings, double height);
  bool exhausted() const { return spent_ > limit_; }

 private:
  double Touched(const QRectF& deviceBounds) const;

  QRectF frame_;
  int64_t limit_;
  int64_t spent_ = 0;
};

}  // namespace qb::wmf
