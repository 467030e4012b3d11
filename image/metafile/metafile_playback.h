#pragma once
// Plays the records of a metafile onto a picture with QPainter, keeping the
// device context and object table GDI would keep. A record that contradicts
// its own size (a count or bitmap larger than the record, an object shorter
// than its structure) makes the whole picture damaged; records the player
// does not know, escapes and references to missing objects are skipped.

#include "image/metafile/metafile_dc_state.h"
#include "image/metafile/metafile_header.h"
#include "image/metafile/metafile_object_table.h"
#include "image/metafile/metafile_player.h"
#include "image/metafile/metafile_raster_ops.h"
#include "image/metafile/metafile_reader.h"
#include "image/metafile/metafile_work_budget.h"

#include <QImage>
#include <QPainter>
#include <QString>
#include <span>
#include <vector>

namespace qb::wmf {

class MetafilePlayback {
 public:
  // target is the white picture of the frame's natural size. drawText is
  // false where no QGuiApplication (and so no font) exists: text records are
  // then checked but not drawn.
  MetafilePlayback(QImage* target, const PlaceableHeader& header, uint16_t objectCount, bool drawText);

  // Plays the records up to the end-of-file record or the end of the data.
  bool Play(std::span<const uint8_t> records, QString* error);

  // Collects the text records as decoded, in the order played, from now on.
  void CollectTexts(std::vector<MetafileText>* texts) { texts_ = texts; }

 private:
  // False when the record is damaged.
  bool Dispatch(const Record& record);

  // Device context records.
  bool PlayMapping(const Record& record);
  bool PlayAttribute(const Record& record);
  bool PlaySaveRestore(const Record& record);
  bool PlayClip(const Record& record);
  bool PlayPalette(const Record& record);
  // Object records.
  bool CreateObject(const Record& record);
  bool CreatePatternBrush(const Record& record);
  void AddObject(GdiObject object);
  bool SelectObject(const Record& record);
  void SelectClipRegion(int index);
  // Drawing records.
  bool PlayLine(const Record& record);
  bool PlayPolygon(const Record& record);
  bool PlayPolyPolygon(const Record& record);
  bool PlayBox(const Record& record);
  bool PlayArc(const Record& record);
  bool PlaySetPixel(const Record& record);
  bool PlayRegion(const Record& record);
  bool PlayTextOut(const Record& record);
  bool PlayExtTextOut(const Record& record);
  bool PlayPatBlt(const Record& record);
  bool PlayBlit(const Record& record);
  bool PlaySetDibToDevice(const Record& record);

  // Drawing helpers.
  QPointF Device(int x, int y) const;
  QPoint Pixel(int x, int y) const;
  QPen MakePen(const Rop2Effect& rop) const;
  QBrush MakeBrush(const MetaBrush& brush, const std::optional<QRgb>& forced);
  double PenPixels() const;
  // The region in device pixels; charged to the budget, as regions are
  // rebuilt on every use and may hold many rectangles.
  QRegion DeviceRegion(const MetaRegion& region);
  void ApplyClip();
  // Prepares the painter for an outline and fill with the current pen and
  // brush; false when the raster operation draws nothing.
  bool BeginShape(bool fill);
  // Charges the work budget for a shape within bounds: its area when filled,
  // otherwise its outline's length times the pen width.
  void ChargeShape(const QRectF& bounds, double outlineLength, bool filled);
  void DrawText(QPoint logicalOrigin, std::span<const uint8_t> bytes, std::span<const uint8_t> spacing,
                uint16_t options, const QRect& logicalRect);
  void Blit(const QImage& source, QRectF sourceRect, QPointF deviceFrom, QPointF deviceTo, const BlitEffect& effect);
  void FillDeviceRect(const QRectF& rect, const BlitEffect& effect);

  QImage* target_;
  QPainter painter_;
  QRegion frame_;
  bool drawText_;
  DcState dc_;
  DcStateStack saved_;
  ObjectTable objects_;
  WorkBudget budget_;
  std::vector<MetafileText>* texts_ = nullptr;
};

}  // namespace qb::wmf
