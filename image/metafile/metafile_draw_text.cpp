// TextOut and ExtTextOut of MetafilePlayback.
#include "image/metafile/metafile_fonts.h"
#include "image/metafile/metafile_geometry.h"
#include "image/metafile/metafile_playback.h"
#include "image/metafile/metafile_records.h"
#include "image/metafile/metafile_text_codec.h"

#include <QFontMetricsF>
#include <QTransform>
#include <vector>

namespace qb::wmf {

namespace {

constexpr uint16_t kTextOpaque = 0x0002;
constexpr uint16_t kTextClipped = 0x0004;
constexpr size_t kRectBytes = 8;

size_t Padded(size_t length) { return (length + 1) & ~size_t{1}; }

}  // namespace

bool MetafilePlayback::PlayTextOut(const Record& record) {
  const RecordParams& p = record.params;
  if (!p.Has(0, 2)) return false;
  const size_t length = p.UInt16(0);
  if (!p.Has(2, Padded(length) + 4)) return false;
  const QPoint origin(p.Int16(4 + Padded(length)), p.Int16(2 + Padded(length)));
  DrawText(origin, p.Bytes(2, length), {}, 0, QRect());
  return true;
}

bool MetafilePlayback::PlayExtTextOut(const Record& record) {
  const RecordParams& p = record.params;
  if (!p.Has(0, 8)) return false;
  const QPoint origin(p.Word(1), p.Word(0));
  const size_t length = p.UInt16(4);
  const uint16_t options = p.UInt16(6);
  size_t at = 8;
  QRect rect;
  if (options & (kTextOpaque | kTextClipped)) {
    if (!p.Has(at, kRectBytes)) return false;
    rect.setCoords(p.Int16(at), p.Int16(at + 2), p.Int16(at + 4), p.Int16(at + 6));
    at += kRectBytes;
  }
  if (!p.Has(at, length)) return false;
  // The spacing array is optional; writers that leave it out end the record
  // after the (padded) string.
  DrawText(origin, p.Bytes(at, length), p.Bytes(at + Padded(length), length * 2), options, rect);
  return true;
}

void MetafilePlayback::DrawText(QPoint logicalOrigin, std::span<const uint8_t> bytes, std::span<const uint8_t> spacing,
                                uint16_t options, const QRect& logicalRect) {
  ApplyClip();
  painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
  if (options & (kTextOpaque | kTextClipped)) {
    int left, top, right, bottom;
    logicalRect.getCoords(&left, &top, &right, &bottom);
    const QRect box = ExclusiveBox(Pixel(left, top), Pixel(right, bottom));
    if (options & kTextOpaque) {
      budget_.ChargeArea(box);
      painter_.fillRect(box, QColor(dc_.bkColor));
    }
    if (options & kTextClipped) {
      painter_.setClipRect(box, painter_.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    }
  }
  if (bytes.empty()) return;
  const std::vector<TextChar> chars = DecodeTextBytes(bytes, dc_.font.charset, dc_.font.faceName);
  if (texts_) {
    QString text;
    for (const TextChar& c : chars) text += c.text;
    texts_->push_back({dc_.font.faceName, text});
  }
  if (!drawText_) return;

  const QFont font = BuildFont(dc_.font, dc_.mapping);
  const QFontMetricsF metrics(font);
  const RecordParams dx(spacing);
  const bool spaced = !spacing.empty();
  const double extra = dc_.mapping.LengthX(dc_.textCharExtra);
  QString whole;
  std::vector<double> advances;
  advances.reserve(chars.size());
  double total = 0;
  size_t byteIndex = 0;
  for (const TextChar& c : chars) {
    whole += c.text;
    double advance = 0;
    if (spaced) {
      for (int k = 0; k < c.bytes; ++k, ++byteIndex) advance += dx.Int16(byteIndex * 2);
      advance *= std::fabs(dc_.mapping.ScaleX());
    } else {
      advance = metrics.horizontalAdvance(c.text) + extra;
    }
    advances.push_back(advance);
    total += advance;
  }
  if (!spaced) total = metrics.horizontalAdvance(whole) + extra * static_cast<double>(chars.size());

  const uint16_t align = dc_.textAlign;
  const bool updateCp = align & kAlignUpdateCp;
  const QPoint reference = updateCp ? dc_.currentPosition : logicalOrigin;
  double x0 = 0;
  if ((align & kAlignHorizontalMask) == kAlignCenter) {
    x0 = -total / 2;
  } else if ((align & kAlignHorizontalMask) == kAlignRight) {
    x0 = -total;
  }
  double baseline = metrics.ascent();
  if ((align & kAlignVerticalMask) == kAlignBaseline) {
    baseline = 0;
  } else if ((align & kAlignVerticalMask) == kAlignBottom) {
    baseline = -metrics.descent();
  }

  const QPointF anchor = Device(reference.x(), reference.y());
  QTransform placement;
  placement.translate(anchor.x(), anchor.y());
  placement.rotate(-dc_.font.escapement / 10.0);
  const QRectF textBox(x0, baseline - metrics.ascent(), total, metrics.ascent() + metrics.descent());
  budget_.ChargeArea(placement.mapRect(textBox));
  // Each glyph is drawn whole wherever it lands: spacing that stacks every
  // glyph on one spot must not make a long text cheap. Measured, a glyph
  // costs about four fills of its box.
  constexpr int64_t kGlyphWeight = 4;
  double glyphX = x0;
  for (size_t i = 0; i < chars.size(); ++i) {
    const QRectF glyph(glyphX, baseline - metrics.ascent(), metrics.maxWidth(), metrics.ascent() + metrics.descent());
    budget_.ChargeArea(placement.mapRect(glyph), kGlyphWeight);
    glyphX += advances[i];
  }
  if (budget_.exhausted()) return;
  painter_.save();
  painter_.setTransform(placement);
  painter_.setFont(font);
  painter_.setPen(QColor(dc_.textColor));
  if (dc_.bkMode == kBkOpaque) {
    painter_.fillRect(textBox, QColor(dc_.bkColor));
  }
  if (spaced) {
    double x = x0;
    for (size_t i = 0; i < chars.size(); ++i) {
      painter_.drawText(QPointF(x, baseline), chars[i].text);
      x += advances[i];
    }
  } else {
    painter_.drawText(QPointF(x0, baseline), whole);
  }
  painter_.restore();

  if (updateCp) {
    const double moved = (align & kAlignHorizontalMask) == kAlignCenter  ? 0
                         : (align & kAlignHorizontalMask) == kAlignRight ? -total
                                                                         : total;
    const QPointF end = placement.map(QPointF(moved, 0));
    dc_.currentPosition = ToPixel(dc_.mapping.ToLogical(end));
  }
}

}  // namespace qb::wmf
