#pragma once
// The logical-to-device mapping of a device context: map mode, window and
// viewport, with GDI's rules for fixed map modes (at 96 dots per inch) and
// for the isotropic mode, which shrinks the viewport to keep units square.

#include <QPoint>
#include <QPointF>

namespace qb::wmf {

enum MapMode : int {
  kMapText = 1,
  kMapLoMetric = 2,
  kMapHiMetric = 3,
  kMapLoEnglish = 4,
  kMapHiEnglish = 5,
  kMapTwips = 6,
  kMapIsotropic = 7,
  kMapAnisotropic = 8,
};

class Mapping {
 public:
  // What the picture loader sets up before playing: the window is the frame
  // in metafile units, the viewport the picture in pixels.
  static Mapping ForFrame(QPoint windowOrg, QPoint windowExt, QPoint viewportExt);

  int mode() const { return mode_; }
  QPoint windowOrg() const { return windowOrg_; }
  QPoint windowExt() const { return windowExt_; }
  QPoint viewportOrg() const { return viewportOrg_; }
  QPoint viewportExt() const { return viewportExt_; }

  // Unknown modes are ignored, as GDI refuses them.
  void SetMode(int mode);
  void SetWindowOrg(QPoint org) { windowOrg_ = org; }
  void SetViewportOrg(QPoint org) { viewportOrg_ = org; }
  // Offsets saturate: a metafile repeating them must not overflow the origin.
  void OffsetWindowOrg(QPoint by) { windowOrg_ = SaturatedSum(windowOrg_, by); }
  void OffsetViewportOrg(QPoint by) { viewportOrg_ = SaturatedSum(viewportOrg_, by); }
  // Extents only change in the isotropic and anisotropic modes; a zero
  // extent is refused, so the mapping is always defined.
  void SetWindowExt(QPoint ext);
  void SetViewportExt(QPoint ext);
  void ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom);
  void ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom);

  double ScaleX() const;
  double ScaleY() const;
  QPointF ToDevice(QPointF logical) const;
  QPointF ToLogical(QPointF device) const;
  // A logical distance along x as device pixels (always >= 0).
  double LengthX(double logical) const;
  double LengthY(double logical) const;

 private:
  static QPoint SaturatedSum(QPoint a, QPoint b);
  bool Scalable() const { return mode_ == kMapIsotropic || mode_ == kMapAnisotropic; }
  void MakeIsotropic();

  int mode_ = kMapText;
  QPoint windowOrg_;
  QPoint windowExt_{1, 1};
  QPoint viewportOrg_;
  QPoint viewportExt_{1, 1};
};

}  // namespace qb::wmf
