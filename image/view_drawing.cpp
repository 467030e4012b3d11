#include "image/view_drawing.h"

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

StretchTarget TargetOf(QImage& view) {
  if (view.format() != QImage::Format_RGB32 && view.format() != QImage::Format_ARGB32) {
    view.convertTo(QImage::Format_RGB32);
  }
  return {reinterpret_cast<std::uint32_t*>(view.bits()), view.width(), view.height(),
          view.bytesPerLine() / static_cast<std::ptrdiff_t>(sizeof(std::uint32_t))};
}

DrawRect DrawPageIntoView(QImage& view, const QImage& page, const QColor& background) {
  view.fill(background);
  const DrawRect place = PlaceInView(page.width(), page.height(), view);
  if (page.isNull()) return place;
  const bool direct = page.format() == QImage::Format_RGB32 || page.format() == QImage::Format_ARGB32;
  const QImage source = direct ? page : page.convertToFormat(QImage::Format_RGB32);
  PixelRowsSource rows(reinterpret_cast<const std::uint32_t*>(source.constBits()), source.width(), source.height(),
                       source.bytesPerLine() / static_cast<std::ptrdiff_t>(sizeof(std::uint32_t)));
  ClassicStretch().Draw(rows, place, TargetOf(view));
  return place;
}

}  // namespace qb
