#include "viewer/berry_drawing.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace qb::viewer {
namespace {

// Below this size in pixels the drupelets and feather barbs become noise.
constexpr double kDetailSize = 40.0;

// Maps the emblem's own 100 x 100 design space into the box.
class Design {
 public:
  explicit Design(const QRectF& box) : box_(box) {}
  QPointF At(double x, double y) const {
    return {box_.left() + x * box_.width() / 100.0, box_.top() + y * box_.height() / 100.0};
  }
  double Len(double d) const { return d * std::min(box_.width(), box_.height()) / 100.0; }
  bool Detailed() const { return std::min(box_.width(), box_.height()) >= kDetailSize; }

 private:
  QRectF box_;
};

void DrawQuill(QPainter& p, const Design& d) {
  const QPointF tip = d.At(93, 5);
  const QPointF nib = d.At(6, 99);
  // The vane: a long leaf shape along the upper half of the shaft.
  QPainterPath vane;
  vane.moveTo(tip);
  vane.cubicTo(d.At(98, 24), d.At(76, 44), d.At(52, 56));
  vane.cubicTo(d.At(60, 36), d.At(70, 14), tip);
  QLinearGradient feather(d.At(90, 8), d.At(55, 52));
  feather.setColorAt(0, QColor(255, 255, 250));
  feather.setColorAt(1, QColor(232, 224, 206));
  p.setPen(QPen(QColor(150, 130, 100), d.Len(1.4)));
  p.setBrush(feather);
  p.drawPath(vane);
  if (d.Detailed()) {
    p.save();
    p.setClipPath(vane);
    p.setPen(QPen(QColor(190, 175, 150), d.Len(0.7)));
    for (int i = 1; i <= 6; ++i) {
      const double t = i / 7.0;
      const QPointF on(93 - 38 * t, 5 + 48 * t);
      p.drawLine(d.At(on.x(), on.y()), d.At(on.x() + 9 - 4 * t, on.y() + 2 + 3 * t));
      p.drawLine(d.At(on.x(), on.y()), d.At(on.x() - 5 + 2 * t, on.y() - 6 + 3 * t));
    }
    p.restore();
  }
  p.setPen(QPen(QColor(120, 95, 60), d.Len(2.0), Qt::SolidLine, Qt::RoundCap));
  p.drawLine(tip, d.At(14, 92));
  // The nib, dark with ink.
  QPainterPath point;
  point.moveTo(d.At(11, 89));
  point.lineTo(d.At(18, 95));
  point.lineTo(nib);
  point.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(45, 30, 40));
  p.drawPath(point);
}

void DrawBerry(QPainter& p, const Design& d) {
  const QPointF centre = d.At(42, 60);
  const double radius = d.Len(31);
  QRadialGradient flesh(d.At(33, 48), radius * 1.35);
  flesh.setColorAt(0, QColor(236, 90, 120));
  flesh.setColorAt(0.45, QColor(176, 22, 68));
  flesh.setColorAt(1, QColor(92, 8, 40));
  p.setPen(QPen(QColor(70, 6, 30), d.Len(1.2)));
  p.setBrush(flesh);
  p.drawEllipse(centre, radius, radius * 0.95);
  if (d.Detailed()) {
    // Drupelets: soft highlights in staggered rows, kept inside the outline.
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 5; ++row) {
      for (int col = 0; col < 5; ++col) {
        const double x = 22 + col * 10 + (row % 2) * 5;
        const double y = 40 + row * 9.5;
        if (std::hypot(x - 42, y - 60) > 24) continue;
        p.setBrush(QColor(255, 190, 205, 120));
        p.drawEllipse(d.At(x - 1.5, y - 1.8), d.Len(2.2), d.Len(2.2));
      }
    }
  }
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 170));
  p.drawEllipse(d.At(30, 44), d.Len(6), d.Len(4));
}

void DrawLeaves(QPainter& p, const Design& d) {
  QLinearGradient green(d.At(42, 24), d.At(42, 40));
  green.setColorAt(0, QColor(110, 190, 80));
  green.setColorAt(1, QColor(40, 110, 40));
  p.setPen(QPen(QColor(30, 80, 30), d.Len(1.0)));
  p.setBrush(green);
  const double spread[] = {-1.0, -0.35, 0.35, 1.0};
  for (const double s : spread) {
    QPainterPath leaf;
    leaf.moveTo(d.At(42, 33));
    leaf.quadTo(d.At(42 + 8 * s, 24 + 3 * std::abs(s)), d.At(42 + 17 * s, 33 + 6 * std::abs(s)));
    leaf.quadTo(d.At(42 + 8 * s, 36), d.At(42, 33));
    p.drawPath(leaf);
  }
  p.setPen(QPen(QColor(60, 110, 40), d.Len(2.4), Qt::SolidLine, Qt::RoundCap));
  p.drawLine(d.At(42, 32), d.At(45, 21));
}

}  // namespace

void DrawBerryWithQuill(QPainter& painter, const QRectF& box) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  const Design design(box);
  DrawQuill(painter, design);
  DrawBerry(painter, design);
  DrawLeaves(painter, design);
  painter.restore();
}

}  // namespace qb::viewer
