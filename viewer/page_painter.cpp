#include "viewer/page_painter.h"

#include <algorithm>
#include <cstring>

#include "image/book_page_thumbnail.h"
#include "image/view_drawing.h"
#include "viewer/spread_rules.h"

namespace qb::viewer {
namespace {

// The whole of a part of the view: a half of a spread fills the part of
// the canvas it is drawn into.
DrawRect FillView(int, int, const QImage& view) { return {0, 0, view.width(), view.height()}; }

// Copies picture onto the view at place (both in the view's own pixels),
// clipped by the view.
void PutPicture(QImage& view, const QImage& picture, const DrawRect& place) {
  const StretchTarget target = TargetOf(view);
  const int left = std::max(place.x, 0);
  const int right = std::min(place.x + picture.width(), target.width);
  if (left >= right) return;
  for (int y = std::max(place.y, 0); y < std::min(place.y + picture.height(), target.height); ++y) {
    const auto* from = reinterpret_cast<const std::uint32_t*>(picture.constScanLine(y - place.y)) + (left - place.x);
    std::memcpy(target.pixels + y * target.stride + left, from, sizeof(std::uint32_t) * (right - left));
  }
}

// A part of the view sharing its pixels.
QImage PartOf(QImage& view, const DrawRect& area) {
  const StretchTarget target = TargetOf(view);
  return QImage(reinterpret_cast<uchar*>(target.pixels + area.y * target.stride + area.x), area.width, area.height,
                view.bytesPerLine(), QImage::Format_RGB32);
}

DrawRect Clipped(const DrawRect& area, const QImage& view) {
  const int x = std::clamp(area.x, 0, view.width());
  const int y = std::clamp(area.y, 0, view.height());
  return {x, y, std::clamp(area.x + area.width, x, view.width()) - x,
          std::clamp(area.y + area.height, y, view.height()) - y};
}

}  // namespace

BookStatus PagePainter::Draw(const std::u16string& path, std::int32_t position, QImage& view, const QColor& background,
                             PagePlacement placement) {
  if (!smoothShrink_) return classic_.Draw(path, position, view, background, placement);
  PageImage page;
  if (const BookStatus read = ReadPageHeader(path, page, position); read != kBookSound) return read;
  const DrawRect place = placement(page.Width, page.Height, view);
  const bool shrinks = place.width > 0 && place.height > 0 && place.width <= page.Width &&
                       place.height <= page.Height && (place.width < page.Width || place.height < page.Height);
  if (!shrinks) return classic_.Draw(path, position, view, background, placement);
  const QImage shrunk = ShrinkBookPage(path, position, QSize(place.width, place.height));
  if (shrunk.isNull()) return kBookDamaged;
  ClearAroundPlace(view, place, background);
  PutPicture(view, shrunk, place);
  return kBookSound;
}

BookStatus PagePainter::DrawPair(const std::u16string& path, std::int32_t left, std::int32_t right, QImage& view,
                                 const QColor& background) {
  PageImage leftPage;
  PageImage rightPage;
  if (ReadPageHeader(path, leftPage, left) != kBookSound || ReadPageHeader(path, rightPage, right) != kBookSound) {
    return kBookDamaged;
  }
  const DrawRect whole =
      PlaceOnScreen(leftPage.Width + rightPage.Width, std::max(leftPage.Height, rightPage.Height), view);
  const SpreadAreas areas = SplitSpread(whole, leftPage.Width, leftPage.Height, rightPage.Width, rightPage.Height);
  ClearAroundPlace(view, {}, background);
  BookStatus drawn = kBookSound;
  for (const auto& [area, position] : {std::pair{areas.left, left}, std::pair{areas.right, right}}) {
    const DrawRect inside = Clipped(area, view);
    if (inside.width <= 0 || inside.height <= 0) continue;
    QImage part = PartOf(view, inside);
    if (Draw(path, position, part, background, FillView) != kBookSound) drawn = kBookDamaged;
  }
  return drawn;
}

}  // namespace qb::viewer
