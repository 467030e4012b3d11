#include "image/view_drawing.h"

#include <algorithm>
#include <cmath>

namespace qb {

DrawRect ToDevicePixels(const DrawRect& logical, double ratio) {
  const auto edge = [ratio](std::int64_t v) { return static_cast<int>(std::lround(static_cast<double>(v) * ratio)); };
  const int left = edge(logical.x);
  const int top = edge(logical.y);
  return {left, top, edge(std::int64_t{logical.x} + logical.width) - left,
          edge(std::int64_t{logical.y} + logical.height) - top};
}

DrawRect PlaceInView(int pageWidth, int pageHeight, const QImage& view) {
  const QSize logical = view.deviceIndependentSize().toSize();
  return ToDevicePixels(FitPageToView(pageWidth, pageHeight, logical.width(), logical.height()),
                        view.devicePixelRatio());
}

DrawRect PlaceOnScreen(int pageWidth, int pageHeight, const QImage& view) {
  return FitPageToScreen(pageWidth, pageHeight, view.width(), view.height());
}

StretchTarget TargetOf(QImage& view) {
  if (view.format() != QImage::Format_RGB32 && view.format() != QImage::Format_ARGB32) {
    view.convertTo(QImage::Format_RGB32);
  }
  return {reinterpret_cast<std::uint32_t*>(view.bits()), view.width(), view.height(),
          view.bytesPerLine() / static_cast<std::ptrdiff_t>(sizeof(std::uint32_t))};
}

void ClearAroundPlace(QImage& view, const DrawRect& place, const QColor& background) {
  const StretchTarget target = TargetOf(view);
  const std::uint32_t colour = background.rgb() | 0xFF000000u;
  const auto clamp = [](std::int64_t v, int size) { return static_cast<int>(std::clamp<std::int64_t>(v, 0, size)); };
  const bool empty = place.width <= 0 || place.height <= 0;
  const int left = empty ? 0 : clamp(place.x, target.width);
  const int right = empty ? 0 : clamp(std::int64_t{place.x} + place.width, target.width);
  const int top = empty ? target.height : clamp(place.y, target.height);
  const int bottom = empty ? target.height : clamp(std::int64_t{place.y} + place.height, target.height);
  for (int y = 0; y < target.height; ++y) {
    std::uint32_t* row = target.pixels + y * target.stride;
    if (y < top || y >= bottom) {
      std::fill_n(row, target.width, colour);
    } else {
      std::fill_n(row, left, colour);
      std::fill_n(row + right, target.width - right, colour);
    }
  }
}

DrawRect DrawPageIntoView(QImage& view, const QImage& page, const QColor& background) {
  const DrawRect place = page.isNull() ? DrawRect{} : PlaceInView(page.width(), page.height(), view);
  ClearAroundPlace(view, place, background);
  if (page.isNull()) return place;
  const bool direct = page.format() == QImage::Format_RGB32 || page.format() == QImage::Format_ARGB32;
  const QImage source = direct ? page : page.convertToFormat(QImage::Format_RGB32);
  PixelRowsSource rows(reinterpret_cast<const std::uint32_t*>(source.constBits()), source.width(), source.height(),
                       source.bytesPerLine() / static_cast<std::ptrdiff_t>(sizeof(std::uint32_t)));
  // Pixels in memory are always there to be read.
  static_cast<void>(ClassicStretch().Draw(rows, place, TargetOf(view)));
  return place;
}

}  // namespace qb
