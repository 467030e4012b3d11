// Lines, polygons, boxes, arcs, pixels and regions of MetafilePlayback.
#include "image/metafile/metafile_geometry.h"
#include "image/metafile/metafile_playback.h"
#include "image/metafile/metafile_records.h"

#include <QLineF>
#include <QPainterPath>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <variant>

namespace qb::wmf {

namespace {

constexpr size_t kPointBytes = 4;

double Perimeter(const QPolygonF& polygon, bool closed) {
  double length = 0;
  for (qsizetype i = 1; i < polygon.size(); ++i) length += QLineF(polygon[i - 1], polygon[i]).length();
  if (closed && polygon.size() > 2) length += QLineF(polygon.last(), polygon.first()).length();
  return length;
}

// How often the polygon's edges cross the scanlines: the sum of their
// heights. A stroke of width pen has about two edges per segment, each
// widened by the pen.
double ScanlineCrossings(const QPolygonF& polygon, bool closed, double pen) {
  double crossings = 0;
  const auto add = [&](const QPointF& a, const QPointF& b) { crossings += std::fabs(b.y() - a.y()) + pen; };
  for (qsizetype i = 1; i < polygon.size(); ++i) add(polygon[i - 1], polygon[i]);
  if (closed && polygon.size() > 2) add(polygon.last(), polygon.first());
  return pen > 0 ? 2 * crossings : crossings;
}

Qt::FillRule FillRuleOf(int polyFillMode) { return polyFillMode == kFillWinding ? Qt::WindingFill : Qt::OddEvenFill; }

// The outline rectangle of a box: QPainter's stroked and filled rectangles
// then cover the pixels GDI's Rectangle and Ellipse cover.
QRect OutlineOf(const QRect& box) { return QRect(box.x(), box.y(), box.width() - 1, box.height() - 1); }

}  // namespace

bool MetafilePlayback::PlayLine(const Record& record) {
  const RecordParams& p = record.params;
  if (!p.Has(0, 4)) return false;
  const QPoint to(p.Word(1), p.Word(0));
  if (record.function == kLineTo) {
    const QLineF line(Pixel(dc_.currentPosition.x(), dc_.currentPosition.y()), Pixel(to.x(), to.y()));
    ChargeShape(QRectF(line.p1(), line.p2()), line.length(), false);
    if (BeginShape(false)) painter_.drawLine(line);
  }
  dc_.currentPosition = to;
  return true;
}

bool MetafilePlayback::PlayPolygon(const Record& record) {
  const RecordParams& p = record.params;
  if (!p.Has(0, 2)) return false;
  const size_t count = p.UInt16(0);
  if (!p.Has(2, count * kPointBytes)) return false;
  QPolygon polygon;
  polygon.reserve(static_cast<qsizetype>(count));
  for (size_t i = 0; i < count; ++i) polygon.append(Pixel(p.Word(1 + 2 * i), p.Word(2 + 2 * i)));
  if (count < 2) return true;
  const bool filled = record.function == kPolygon;
  const QRectF bounds(polygon.boundingRect());
  ChargeShape(bounds, Perimeter(QPolygonF(polygon), filled), filled);
  // A one-pixel outline is drawn line by line; a wider one is filled as a shape.
  const double pen = (dc_.pen.style & kPenStyleMask) == kPenNull ? 0.0 : PenPixels();
  double crossings = pen > 1 ? ScanlineCrossings(QPolygonF(polygon), filled, pen) : 0.0;
  if (filled) crossings += ScanlineCrossings(QPolygonF(polygon), true, 0);
  budget_.ChargeScanConversion(crossings, bounds.height());
  if (!filled) {
    if (BeginShape(false)) painter_.drawPolyline(polygon);
  } else if (BeginShape(true)) {
    painter_.drawPolygon(polygon, FillRuleOf(dc_.polyFillMode));
  }
  return true;
}

bool MetafilePlayback::PlayPolyPolygon(const Record& record) {
  const RecordParams& p = record.params;
  if (!p.Has(0, 2)) return false;
  const size_t polygons = p.UInt16(0);
  if (!p.Has(2, polygons * 2)) return false;
  size_t total = 0;
  for (size_t i = 0; i < polygons; ++i) total += p.UInt16(2 + i * 2);
  const size_t pointsAt = 2 + polygons * 2;
  if (!p.Has(pointsAt, total * kPointBytes)) return false;
  QPainterPath path;
  path.setFillRule(FillRuleOf(dc_.polyFillMode));
  double crossings = 0;
  size_t at = pointsAt;
  for (size_t i = 0; i < polygons; ++i) {
    const size_t count = p.UInt16(2 + i * 2);
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(count));
    for (size_t k = 0; k < count; ++k, at += kPointBytes) {
      polygon.append(Pixel(p.Int16(at), p.Int16(at + 2)));
    }
    if (count >= 2) {
      path.addPolygon(polygon);
      path.closeSubpath();
      crossings += ScanlineCrossings(polygon, true, 0);
    }
  }
  ChargeShape(path.controlPointRect(), 0, true);
  budget_.ChargeScanConversion(crossings, path.controlPointRect().height());
  if (BeginShape(true)) painter_.drawPath(path);
  return true;
}

bool MetafilePlayback::PlayBox(const Record& record) {
  const RecordParams& p = record.params;
  const size_t first = record.function == kRoundRect ? 2 : 0;
  if (!p.Has(0, (first + 4) * 2)) return false;
  const QRect box = ExclusiveBox(Pixel(p.Word(first + 3), p.Word(first + 2)), Pixel(p.Word(first + 1), p.Word(first)));
  if (box.width() < 2 || box.height() < 2) return true;
  ChargeShape(QRectF(box), 0, true);
  if (!BeginShape(true)) return true;
  QRectF outline = OutlineOf(box);
  const double penWidth = painter_.pen().widthF();
  if ((dc_.pen.style & kPenStyleMask) == kPenInsideFrame && penWidth > 1) {
    const double inset = std::min({penWidth / 2, outline.width() / 2, outline.height() / 2});
    outline.adjust(inset, inset, -inset, -inset);
  }
  switch (record.function) {
    case kRectangle: painter_.drawRect(outline); break;
    case kEllipse: painter_.drawEllipse(outline); break;
    default: {
      const double rx = std::min(dc_.mapping.LengthX(p.Word(1)) / 2, outline.width() / 2);
      const double ry = std::min(dc_.mapping.LengthY(p.Word(0)) / 2, outline.height() / 2);
      painter_.drawRoundedRect(outline, rx, ry, Qt::AbsoluteSize);
      break;
    }
  }
  return true;
}

bool MetafilePlayback::PlayArc(const Record& record) {
  const RecordParams& p = record.params;
  if (!p.Has(0, 16)) return false;
  const QRect box = ExclusiveBox(Pixel(p.Word(7), p.Word(6)), Pixel(p.Word(5), p.Word(4)));
  if (box.width() < 2 || box.height() < 2) return true;
  const QRectF rect = OutlineOf(box);
  const QPointF center = rect.center();
  const double rx = rect.width() / 2;
  const double ry = rect.height() / 2;
  const double start = EllipseParameterAngle(RadialAngle(center, Device(p.Word(3), p.Word(2))), rx, ry);
  const double end = EllipseParameterAngle(RadialAngle(center, Device(p.Word(1), p.Word(0))), rx, ry);
  const double sweep = CounterClockwiseSweep(start, end);
  QPainterPath path;
  if (record.function == kPie) {
    path.moveTo(center);
  } else {
    path.arcMoveTo(rect, start);
  }
  path.arcTo(rect, start, sweep);
  if (record.function != kArc) path.closeSubpath();
  ChargeShape(rect, std::numbers::pi * (rx + ry), record.function != kArc);
  if (BeginShape(record.function != kArc)) painter_.drawPath(path);
  return true;
}

bool MetafilePlayback::PlaySetPixel(const Record& record) {
  const RecordParams& p = record.params;
  if (!p.Has(0, 8)) return false;
  const QRect pixel(Pixel(p.Word(3), p.Word(2)), QSize(1, 1));
  budget_.ChargeArea(pixel);
  ApplyClip();
  painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter_.fillRect(pixel, QColor(ResolveColor(p.UInt32(0), dc_.palette)));
  return true;
}

bool MetafilePlayback::PlayRegion(const Record& record) {
  const RecordParams& p = record.params;
  const size_t needed = record.function == kFrameRegion ? 8 : record.function == kFillRegion ? 4 : 2;
  if (!p.Has(0, needed)) return false;
  const GdiObject* object = objects_.Get(p.UInt16(0));
  const auto* meta = object ? std::get_if<MetaRegion>(object) : nullptr;
  if (!meta) return true;
  QRegion region = DeviceRegion(*meta);
  MetaBrush brush = dc_.brush;
  if (record.function == kFillRegion || record.function == kFrameRegion) {
    const GdiObject* brushObject = objects_.Get(p.UInt16(2));
    const auto* chosen = brushObject ? std::get_if<MetaBrush>(brushObject) : nullptr;
    if (!chosen) return true;
    brush = *chosen;
  }
  if (record.function == kFrameRegion) {
    const int w = std::max(1, ToPixel(QPointF(dc_.mapping.LengthX(p.Word(3)), 0)).x());
    const int h = std::max(1, ToPixel(QPointF(0, dc_.mapping.LengthY(p.Word(2)))).y());
    const QRegion inner = region.intersected(region.translated(w, 0))
                              .intersected(region.translated(-w, 0))
                              .intersected(region.translated(0, h))
                              .intersected(region.translated(0, -h));
    region -= inner;
  }
  budget_.ChargeArea(region.boundingRect());
  ApplyClip();
  painter_.setClipRegion(region, painter_.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
  if (record.function == kInvertRegion) {
    painter_.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter_.fillRect(region.boundingRect(), Qt::black);
  } else {
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_.setBackgroundMode(dc_.bkMode == kBkOpaque ? Qt::OpaqueMode : Qt::TransparentMode);
    painter_.setBackground(QColor(dc_.bkColor));
    painter_.fillRect(region.boundingRect(), MakeBrush(brush, std::nullopt));
  }
  return true;
}

}  // namespace qb::wmf
