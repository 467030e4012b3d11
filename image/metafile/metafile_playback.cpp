#include "image/metafile/metafile_playback.h"

#include "image/metafile/metafile_geometry.h"
#include "image/metafile/metafile_records.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

namespace qb::wmf {

namespace {

// Clip regions built from more rectangles than this are not taken: no real
// picture needs them, and region arithmetic grows with every rectangle.
constexpr int kMaxClipRects = 4096;
constexpr int kMaxPaletteEntries = 1024;
constexpr double kMaxPenPixels = 65536;

}  // namespace

MetafilePlayback::MetafilePlayback(QImage* target, const PlaceableHeader& header, uint16_t objectCount, bool drawText)
    : target_(target),
      painter_(target),
      frame_(target->rect()),
      drawText_(drawText),
      objects_(objectCount),
      budget_(target->rect()) {
  dc_.mapping =
      Mapping::ForFrame(QPoint(header.left, header.top), QPoint(header.right - header.left, header.bottom - header.top),
                        QPoint(target->width(), target->height()));
}

bool MetafilePlayback::Play(std::span<const uint8_t> records, QString* error) {
  RecordReader reader(records);
  Record record;
  while (true) {
    const size_t offset = reader.offset();
    const RecordReader::Step step = reader.Next(&record);
    if (step == RecordReader::Step::End) break;
    if (step == RecordReader::Step::Damaged) {
      if (error) *error = QStringLiteral("The metafile record at byte %1 runs past the end of the data.").arg(offset);
      return false;
    }
    if (record.function == kEof) break;
    if (!Dispatch(record)) {
      if (error) {
        *error = QStringLiteral("The metafile record %1 at byte %2 is damaged.")
                     .arg(QStringLiteral("0x%1").arg(record.function, 4, 16, QLatin1Char('0')))
                     .arg(offset);
      }
      return false;
    }
    if (budget_.exhausted()) {
      if (error) *error = QStringLiteral("The metafile paints more than any picture needs; it is not drawn.");
      return false;
    }
  }
  painter_.end();
  return true;
}

bool MetafilePlayback::Dispatch(const Record& record) {
  switch (record.function) {
    case kSetWindowOrg:
    case kSetWindowExt:
    case kSetViewportOrg:
    case kSetViewportExt:
    case kOffsetWindowOrg:
    case kOffsetViewportOrg:
    case kScaleWindowExt:
    case kScaleViewportExt:
    case kSetMapMode: return PlayMapping(record);
    case kSetBkColor:
    case kSetTextColor:
    case kSetBkMode:
    case kSetTextAlign:
    case kSetRop2:
    case kSetPolyFillMode:
    case kSetStretchBltMode:
    case kSetTextCharExtra: return PlayAttribute(record);
    case kSaveDc:
    case kRestoreDc: return PlaySaveRestore(record);
    case kIntersectClipRect:
    case kExcludeClipRect:
    case kOffsetClipRegion:
    case kSelectClipRegion: return PlayClip(record);
    case kSelectPalette:
    case kSetPalEntries:
    case kAnimatePalette:
    case kResizePalette: return PlayPalette(record);
    case kCreatePenIndirect:
    case kCreateBrushIndirect:
    case kCreateFontIndirect:
    case kCreatePalette:
    case kCreateRegion: return CreateObject(record);
    case kDibCreatePatternBrush:
    case kCreatePatternBrush: return CreatePatternBrush(record);
    case kSelectObject: return SelectObject(record);
    case kDeleteObject:
      if (!record.params.Has(0, 2)) return false;
      objects_.Remove(record.params.UInt16(0));
      return true;
    case kMoveTo:
    case kLineTo: return PlayLine(record);
    case kPolyline:
    case kPolygon: return PlayPolygon(record);
    case kPolyPolygon: return PlayPolyPolygon(record);
    case kRectangle:
    case kEllipse:
    case kRoundRect: return PlayBox(record);
    case kArc:
    case kPie:
    case kChord: return PlayArc(record);
    case kSetPixel: return PlaySetPixel(record);
    case kFillRegion:
    case kPaintRegion:
    case kInvertRegion:
    case kFrameRegion: return PlayRegion(record);
    case kTextOut: return PlayTextOut(record);
    case kExtTextOut: return PlayExtTextOut(record);
    case kPatBlt: return PlayPatBlt(record);
    case kBitBlt:
    case kStretchBlt:
    case kDibBitBlt:
    case kDibStretchBlt:
    case kStretchDib: return PlayBlit(record);
    case kSetDibToDev: return PlaySetDibToDevice(record);
    default:
      // Escapes, flood fills, palette realisation, mapper flags, layout and
      // unknown records change nothing this player draws.
      return true;
  }
}

bool MetafilePlayback::PlayMapping(const Record& record) {
  const RecordParams& p = record.params;
  Mapping& mapping = dc_.mapping;
  if (record.function == kSetMapMode) {
    if (!p.Has(0, 2)) return false;
    mapping.SetMode(p.UInt16(0));
    return true;
  }
  if (record.function == kScaleWindowExt || record.function == kScaleViewportExt) {
    if (!p.Has(0, 8)) return false;
    auto scale = record.function == kScaleWindowExt ? &Mapping::ScaleWindowExt : &Mapping::ScaleViewportExt;
    (mapping.*scale)(p.Word(3), p.Word(2), p.Word(1), p.Word(0));
    return true;
  }
  if (!p.Has(0, 4)) return false;
  const QPoint value(p.Word(1), p.Word(0));
  switch (record.function) {
    case kSetWindowOrg: mapping.SetWindowOrg(value); break;
    case kSetWindowExt: mapping.SetWindowExt(value); break;
    case kSetViewportOrg: mapping.SetViewportOrg(value); break;
    case kSetViewportExt: mapping.SetViewportExt(value); break;
    case kOffsetWindowOrg: mapping.OffsetWindowOrg(value); break;
    default: mapping.OffsetViewportOrg(value); break;
  }
  return true;
}

bool MetafilePlayback::PlayAttribute(const Record& record) {
  const RecordParams& p = record.params;
  if (record.function == kSetBkColor || record.function == kSetTextColor) {
    if (!p.Has(0, 4)) return false;
    const QRgb color = ResolveColor(p.UInt32(0), dc_.palette);
    (record.function == kSetBkColor ? dc_.bkColor : dc_.textColor) = color;
    return true;
  }
  if (!p.Has(0, 2)) return false;
  const int value = p.UInt16(0);
  switch (record.function) {
    case kSetBkMode:
      if (value == kBkTransparent || value == kBkOpaque) dc_.bkMode = value;
      break;
    case kSetTextAlign: dc_.textAlign = static_cast<uint16_t>(value); break;
    case kSetRop2:
      if (value >= kRop2Black && value <= kRop2White) dc_.rop2 = value;
      break;
    case kSetPolyFillMode:
      if (value == kFillAlternate || value == kFillWinding) dc_.polyFillMode = value;
      break;
    case kSetStretchBltMode: dc_.stretchMode = value; break;
    default: dc_.textCharExtra = p.Int16(0); break;
  }
  return true;
}

bool MetafilePlayback::PlaySaveRestore(const Record& record) {
  if (record.function == kSaveDc) {
    // A saved state holds its own clip region and palette.
    budget_.ChargePixels((dc_.clip ? dc_.clip->rectCount() : 0) + dc_.palette.entries.size());
    saved_.Save(dc_);
    return true;
  }
  if (!record.params.Has(0, 2)) return false;
  saved_.Restore(record.params.Int16(0), &dc_);
  return true;
}

bool MetafilePlayback::PlayClip(const Record& record) {
  const RecordParams& p = record.params;
  if (record.function == kSelectClipRegion) {
    if (!p.Has(0, 2)) return false;
    SelectClipRegion(p.UInt16(0));
    return true;
  }
  if (record.function == kOffsetClipRegion) {
    if (!p.Has(0, 4)) return false;
    if (dc_.clip) {
      const QPoint by = ToPixel(QPointF(p.Word(1) * dc_.mapping.ScaleX(), p.Word(0) * dc_.mapping.ScaleY()));
      // A region moved far off the picture clips everything away; dropping
      // it there keeps repeated moves from overflowing its coordinates.
      const QRect moved = dc_.clip->boundingRect();
      const int64_t limit = int64_t{1} << 24;
      if (std::abs(int64_t{moved.left()} + by.x()) > limit || std::abs(int64_t{moved.top()} + by.y()) > limit) {
        dc_.clip = QRegion();
      } else {
        dc_.clip->translate(by);
      }
    }
    return true;
  }
  if (!p.Has(0, 8)) return false;
  const QRect box = ExclusiveBox(Pixel(p.Word(3), p.Word(2)), Pixel(p.Word(1), p.Word(0)));
  const QRegion current = dc_.clip.value_or(frame_);
  const QRegion next = record.function == kIntersectClipRect ? current.intersected(box) : current.subtracted(box);
  budget_.ChargePixels(current.rectCount());
  if (next.rectCount() <= kMaxClipRects) dc_.clip = next;
  return true;
}

bool MetafilePlayback::PlayPalette(const Record& record) {
  const RecordParams& p = record.params;
  if (!p.Has(0, 2)) return false;
  QList<QRgb>& entries = dc_.palette.entries;
  switch (record.function) {
    case kSelectPalette:
      if (const auto* object = objects_.Get(p.UInt16(0))) {
        if (const auto* palette = std::get_if<MetaPalette>(object)) dc_.palette = *palette;
      }
      return true;
    case kResizePalette:
      // Palettes hold at most 1024 entries, as the system's do.
      entries.resize(std::min<int>(p.UInt16(0), kMaxPaletteEntries), qRgb(0, 0, 0));
      return true;
    default: {
      const auto changes = ParsePalette(p);
      if (!changes) return false;
      const qsizetype start = p.UInt16(0);
      for (qsizetype i = 0; i < changes->entries.size() && start + i < entries.size(); ++i) {
        entries[start + i] = changes->entries[i];
      }
      return true;
    }
  }
}

bool MetafilePlayback::CreateObject(const Record& record) {
  const RecordParams& p = record.params;
  switch (record.function) {
    case kCreatePenIndirect: {
      auto pen = ParsePen(p);
      if (!pen) return false;
      AddObject(*pen);
      return true;
    }
    case kCreateBrushIndirect: {
      auto brush = ParseBrush(p);
      if (!brush) return false;
      AddObject(std::move(*brush));
      return true;
    }
    case kCreateFontIndirect: {
      auto font = ParseFont(p);
      if (!font) return false;
      AddObject(std::move(*font));
      return true;
    }
    case kCreatePalette: {
      auto palette = ParsePalette(p);
      if (!palette) return false;
      AddObject(std::move(*palette));
      return true;
    }
    default: {
      auto region = ParseRegion(p);
      if (!region) return false;
      AddObject(std::move(*region));
      return true;
    }
  }
}

void MetafilePlayback::AddObject(GdiObject object) { objects_.Add(std::move(object)); }

bool MetafilePlayback::SelectObject(const Record& record) {
  if (!record.params.Has(0, 2)) return false;
  const int index = record.params.UInt16(0);
  const GdiObject* object = objects_.Get(index);
  if (!object) return true;
  std::visit(
      [&](const auto& value) {
        using T = std::decay_t<decltype(value)>;
        if constexpr (std::is_same_v<T, MetaPen>) dc_.pen = value;
        if constexpr (std::is_same_v<T, MetaBrush>) dc_.brush = value;
        if constexpr (std::is_same_v<T, MetaFont>) dc_.font = value;
        if constexpr (std::is_same_v<T, MetaPalette>) dc_.palette = value;
        if constexpr (std::is_same_v<T, MetaRegion>) SelectClipRegion(index);
      },
      *object);
  return true;
}

void MetafilePlayback::SelectClipRegion(int index) {
  const GdiObject* object = objects_.Get(index);
  const auto* region = object ? std::get_if<MetaRegion>(object) : nullptr;
  if (region) {
    const QRegion device = DeviceRegion(*region);
    // Every shape clips to the region: one of more rectangles than any real
    // picture uses is taken as its bounding box.
    dc_.clip = device.rectCount() <= kMaxClipRects ? device : QRegion(device.boundingRect());
  } else {
    dc_.clip.reset();
  }
}

QPointF MetafilePlayback::Device(int x, int y) const { return dc_.mapping.ToDevice(QPointF(x, y)); }

QPoint MetafilePlayback::Pixel(int x, int y) const { return ToPixel(Device(x, y)); }

double MetafilePlayback::PenPixels() const {
  if (dc_.pen.width == 0) return 1;
  return std::clamp(dc_.mapping.LengthX(dc_.pen.width), 1.0, kMaxPenPixels);
}

QPen MetafilePlayback::MakePen(const Rop2Effect& rop) const {
  const uint16_t style = dc_.pen.style & kPenStyleMask;
  if (style == kPenNull) return Qt::NoPen;
  QPen pen(QColor(rop.color.value_or(ResolveColor(dc_.pen.color, dc_.palette))));
  const double width = std::round(PenPixels());
  if (width <= 1) {
    // A one-pixel pen leaves out a line's last pixel and alone draws styled lines.
    pen.setWidth(0);
    pen.setCapStyle(Qt::FlatCap);
    switch (style) {
      case kPenDash: pen.setDashPattern({18, 6}); break;
      case kPenDot: pen.setDashPattern({3, 3}); break;
      case kPenDashDot: pen.setDashPattern({9, 6, 3, 6}); break;
      case kPenDashDotDot: pen.setDashPattern({9, 3, 3, 3, 3, 3}); break;
      default: break;
    }
    return pen;
  }
  pen.setWidthF(width);
  switch (dc_.pen.style & kPenEndCapMask) {
    case kPenEndCapSquare: pen.setCapStyle(Qt::SquareCap); break;
    case kPenEndCapFlat: pen.setCapStyle(Qt::FlatCap); break;
    default: pen.setCapStyle(Qt::RoundCap); break;
  }
  switch (dc_.pen.style & kPenJoinMask) {
    case kPenJoinBevel: pen.setJoinStyle(Qt::BevelJoin); break;
    case kPenJoinMiter: pen.setJoinStyle(Qt::MiterJoin); break;
    default: pen.setJoinStyle(Qt::RoundJoin); break;
  }
  return pen;
}

QBrush MetafilePlayback::MakeBrush(const MetaBrush& brush, const std::optional<QRgb>& forced) {
  static constexpr Qt::BrushStyle kHatches[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
                                                Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
  const QColor color(forced.value_or(ResolveColor(brush.color, dc_.palette)));
  switch (brush.style) {
    case kBrushNull: return Qt::NoBrush;
    case kBrushHatched: return brush.hatch < std::size(kHatches) ? QBrush(color, kHatches[brush.hatch]) : QBrush(color);
    case kBrushPattern:
    case kBrushDibPattern:
    case kBrushDibPatternPt: {
      if (brush.pattern.isNull()) return Qt::NoBrush;
      if (forced) return QBrush(color);
      if (!brush.monochromePattern) return QBrush(brush.pattern);
      QImage recoloured = brush.pattern;
      budget_.ChargePixels(int64_t{recoloured.width()} * recoloured.height());
      for (int y = 0; y < recoloured.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(recoloured.scanLine(y));
        for (int x = 0; x < recoloured.width(); ++x) {
          line[x] = qGray(line[x]) < 128 ? dc_.textColor : dc_.bkColor;
        }
      }
      return QBrush(recoloured);
    }
    default: return QBrush(color);
  }
}

QRegion MetafilePlayback::DeviceRegion(const MetaRegion& region) {
  budget_.ChargePixels(static_cast<int64_t>(region.rects.size()) * WorkBudget::kOperationCost);
  std::vector<QRegion> parts;
  parts.reserve(region.rects.size());
  for (const QRect& rect : region.rects) {
    parts.emplace_back(
        ExclusiveBox(Pixel(rect.left(), rect.top()), Pixel(rect.left() + rect.width(), rect.top() + rect.height())));
  }
  // Uniting pairwise keeps the cost near n log n rather than n squared.
  while (parts.size() > 1) {
    std::vector<QRegion> merged;
    merged.reserve((parts.size() + 1) / 2);
    for (size_t i = 0; i < parts.size(); i += 2) {
      merged.push_back(i + 1 < parts.size() ? parts[i].united(parts[i + 1]) : parts[i]);
    }
    parts = std::move(merged);
  }
  return parts.empty() ? QRegion() : parts.front();
}

void MetafilePlayback::ApplyClip() {
  if (dc_.clip) {
    budget_.ChargePixels(dc_.clip->rectCount());
    painter_.setClipRegion(*dc_.clip);
  } else {
    painter_.setClipping(false);
  }
}

void MetafilePlayback::ChargeShape(const QRectF& bounds, double outlineLength, bool filled) {
  const double pen = (dc_.pen.style & kPenStyleMask) == kPenNull ? 0.0 : PenPixels();
  if (filled) {
    budget_.ChargeArea(bounds.adjusted(-pen / 2, -pen / 2, pen / 2, pen / 2));
  } else {
    budget_.ChargeStroke(outlineLength, pen, bounds);
  }
}

bool MetafilePlayback::BeginShape(bool fill) {
  // A shape charged past the budget is not drawn: the playback stops after it.
  if (budget_.exhausted()) return false;
  const Rop2Effect rop = EffectOfRop2(dc_.rop2);
  if (!rop.draws) return false;
  ApplyClip();
  painter_.setCompositionMode(rop.mode);
  painter_.setPen(MakePen(rop));
  painter_.setBrush(fill ? MakeBrush(dc_.brush, rop.color) : QBrush(Qt::NoBrush));
  painter_.setBackgroundMode(dc_.bkMode == kBkOpaque ? Qt::OpaqueMode : Qt::TransparentMode);
  painter_.setBackground(QColor(dc_.bkColor));
  return true;
}

}  // namespace qb::wmf
