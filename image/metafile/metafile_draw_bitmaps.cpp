// Blits, DIB transfers, PatBlt and pattern brushes of MetafilePlayback.
#include "image/metafile/metafile_bitmap.h"
#include "image/metafile/metafile_geometry.h"
#include "image/metafile/metafile_playback.h"
#include "image/metafile/metafile_records.h"

#include <QTransform>
#include <vector>

namespace qb::wmf {

namespace {

constexpr size_t kBitmap16HeaderBytes = 10;
// The old pattern brush record stores a 14-byte bitmap header and 18
// reserved bytes before the pattern's bits.
constexpr size_t kPatternBitsOffset = 32;

struct BlitParams {
  uint32_t rop = 0;
  int xSrc = 0, ySrc = 0, wSrc = 0, hSrc = 0;
  int xDst = 0, yDst = 0, wDst = 0, hDst = 0;
  uint16_t colorUsage = kDibRgbColors;
  bool hasBitmap = false;
  size_t bitmapAt = 0;
};

// The parameters of the five blit records. Their bitmap-less forms are
// exactly as long as the high byte of the function number says.
std::optional<BlitParams> ParseBlit(const Record& record) {
  const RecordParams& p = record.params;
  BlitParams b;
  b.rop = p.UInt32(0);
  if (record.function == kStretchDib) {
    if (!p.Has(0, 22)) return std::nullopt;
    b.colorUsage = p.UInt16(4);
    b.hSrc = p.Word(3), b.wSrc = p.Word(4), b.ySrc = p.Word(5), b.xSrc = p.Word(6);
    b.hDst = p.Word(7), b.wDst = p.Word(8), b.yDst = p.Word(9), b.xDst = p.Word(10);
    b.hasBitmap = true;
    b.bitmapAt = 22;
    return b;
  }
  const bool stretch = record.function == kStretchBlt || record.function == kDibStretchBlt;
  const size_t shortForm = static_cast<size_t>(record.function >> 8) * 2;
  b.hasBitmap = p.size() != shortForm;
  const size_t skip = b.hasBitmap ? 0 : 1;  // the short form has a reserved word before the destination
  if (stretch) {
    if (!p.Has(0, 20 + skip * 2)) return std::nullopt;
    b.hSrc = p.Word(2), b.wSrc = p.Word(3), b.ySrc = p.Word(4), b.xSrc = p.Word(5);
    b.hDst = p.Word(6 + skip), b.wDst = p.Word(7 + skip), b.yDst = p.Word(8 + skip), b.xDst = p.Word(9 + skip);
    b.bitmapAt = 20;
  } else {
    if (!p.Has(0, 16 + skip * 2)) return std::nullopt;
    b.ySrc = p.Word(2), b.xSrc = p.Word(3);
    b.hDst = b.hSrc = p.Word(4 + skip), b.wDst = b.wSrc = p.Word(5 + skip);
    b.yDst = p.Word(6 + skip), b.xDst = p.Word(7 + skip);
    b.bitmapAt = 16;
  }
  return b;
}

}  // namespace

bool MetafilePlayback::PlayPatBlt(const Record& record) {
  const RecordParams& p = record.params;
  if (!p.Has(0, 12)) return false;
  const BlitEffect effect = EffectOfTernaryRop(p.UInt32(0));
  const int x = p.Word(5), y = p.Word(4), w = p.Word(3), h = p.Word(2);
  if (effect.input == BlitEffect::Input::Pattern || effect.input == BlitEffect::Input::Color) {
    FillDeviceRect(ExclusiveBox(Pixel(x, y), Pixel(x + w, y + h)), effect);
  }
  return true;
}

bool MetafilePlayback::PlayBlit(const Record& record) {
  const auto blit = ParseBlit(record);
  if (!blit) return false;
  const BlitEffect effect = EffectOfTernaryRop(blit->rop);
  const QPointF from = Device(blit->xDst, blit->yDst);
  const QPointF to = Device(blit->xDst + blit->wDst, blit->yDst + blit->hDst);
  if (!blit->hasBitmap) {
    // A source from the picture itself is not kept; pattern and colour
    // operations need none.
    if (effect.input == BlitEffect::Input::Pattern || effect.input == BlitEffect::Input::Color) {
      FillDeviceRect(ExclusiveBox(ToPixel(from), ToPixel(to)), effect);
    }
    return true;
  }
  const bool dib = record.function != kBitBlt && record.function != kStretchBlt;
  const std::span<const uint8_t> bits = record.params.From(blit->bitmapAt);
  const DecodedBitmap bitmap = dib ? DecodeDib(bits, blit->colorUsage, dc_.palette)
                                   : DecodeBitmap16(bits, dc_.textColor, dc_.bkColor, dc_.palette);
  if (bitmap.status == BitmapStatus::Damaged) return false;
  if (bitmap.status == BitmapStatus::Unsupported || effect.input == BlitEffect::Input::None) return true;
  if (effect.input != BlitEffect::Input::Source) {
    FillDeviceRect(ExclusiveBox(ToPixel(from), ToPixel(to)), effect);
    return true;
  }
  // StretchDIBits counts a bottom-up bitmap's source rectangle from its bottom row.
  const bool fromBottom = record.function == kStretchDib && bitmap.bottomUp;
  const double top = fromBottom ? bitmap.image.height() - blit->ySrc - blit->hSrc : blit->ySrc;
  Blit(bitmap.image, QRectF(blit->xSrc, top, blit->wSrc, blit->hSrc), from, to, effect);
  return true;
}

bool MetafilePlayback::PlaySetDibToDevice(const Record& record) {
  const RecordParams& p = record.params;
  if (!p.Has(0, 18)) return false;
  const DecodedBitmap bitmap = DecodeDib(p.From(18), p.UInt16(0), dc_.palette);
  if (bitmap.status == BitmapStatus::Damaged) return false;
  // Banded transfers (a first scan line other than 0) are not played.
  if (bitmap.status == BitmapStatus::Unsupported || p.Word(2) != 0) return true;
  const int xSrc = p.Word(4), ySrc = p.Word(3), w = p.Word(6), h = p.Word(5);
  const double top = bitmap.bottomUp ? bitmap.image.height() - ySrc - h : ySrc;
  const QPointF from = Device(p.Word(8), p.Word(7));
  Blit(bitmap.image, QRectF(xSrc, top, w, h), from, from + QPointF(w, h), EffectOfTernaryRop(0x00CC0020));
  return true;
}

bool MetafilePlayback::CreatePatternBrush(const Record& record) {
  const RecordParams& p = record.params;
  MetaBrush brush;
  brush.style = kBrushDibPatternPt;
  if (record.function == kDibCreatePatternBrush) {
    if (!p.Has(0, 4)) return false;
    const uint16_t usage = p.UInt16(0) == kBrushPattern ? kDibRgbColors : p.UInt16(2);
    const DecodedBitmap bitmap = DecodeDib(p.From(4), usage, dc_.palette);
    if (bitmap.status == BitmapStatus::Damaged) return false;
    brush.pattern = bitmap.image;
  } else {
    if (!p.Has(0, kPatternBitsOffset)) return false;
    std::vector<uint8_t> bitmap16(p.From(0).begin(), p.From(0).begin() + kBitmap16HeaderBytes);
    const auto bits = p.From(kPatternBitsOffset);
    bitmap16.insert(bitmap16.end(), bits.begin(), bits.end());
    const DecodedBitmap bitmap = DecodeBitmap16(bitmap16, qRgb(0, 0, 0), qRgb(255, 255, 255), dc_.palette);
    brush.pattern = bitmap.image;
    brush.monochromePattern = p.UInt8(9) == 1;
  }
  // An unsupported pattern still takes its slot, so later indexes stay right.
  AddObject(std::move(brush));
  return true;
}

void MetafilePlayback::FillDeviceRect(const QRectF& rect, const BlitEffect& effect) {
  budget_.ChargeArea(rect);
  ApplyClip();
  painter_.setCompositionMode(effect.mode);
  painter_.setBackgroundMode(dc_.bkMode == kBkOpaque ? Qt::OpaqueMode : Qt::TransparentMode);
  painter_.setBackground(QColor(dc_.bkColor));
  const QBrush brush =
      effect.input == BlitEffect::Input::Pattern ? MakeBrush(dc_.brush, std::nullopt) : QBrush(QColor(effect.color));
  painter_.fillRect(rect, brush);
}

void MetafilePlayback::Blit(const QImage& source, QRectF sourceRect, QPointF deviceFrom, QPointF deviceTo,
                            const BlitEffect& effect) {
  const bool flipX = (sourceRect.width() < 0) != (deviceTo.x() < deviceFrom.x());
  const bool flipY = (sourceRect.height() < 0) != (deviceTo.y() < deviceFrom.y());
  const QRectF from = sourceRect.normalized();
  const QRect to = ExclusiveBox(ToPixel(deviceFrom), ToPixel(deviceTo));
  // Only the part of the source rectangle inside the bitmap is copied.
  const QRectF visible = from.intersected(QRectF(source.rect()));
  if (from.isEmpty() || to.isEmpty() || visible.isEmpty()) return;
  const double sx = to.width() / from.width();
  const double sy = to.height() / from.height();
  const double dx = flipX ? to.x() + to.width() + from.x() * sx : to.x() - from.x() * sx;
  const double dy = flipY ? to.y() + to.height() + from.y() * sy : to.y() - from.y() * sy;
  budget_.ChargeArea(to);
  ApplyClip();
  painter_.save();
  painter_.setTransform(QTransform(flipX ? -sx : sx, 0, 0, flipY ? -sy : sy, dx, dy));
  painter_.setCompositionMode(effect.mode);
  painter_.setRenderHint(QPainter::SmoothPixmapTransform, dc_.stretchMode == kStretchHalftone);
  painter_.drawImage(visible, source, visible);
  painter_.restore();
}

}  // namespace qb::wmf
