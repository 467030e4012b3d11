#pragma once
// Drawing pages straight from their book, one page or two side by side. By
// default every page goes through the classic stretch (BookPageView), whose
// AND shrink keeps thin dark lines on a light ground. With smooth shrinking
// on, a page drawn smaller than it is is shrunk by area averaging instead
// (ShrinkBookPage), which photographs and gradients need: the AND darkens
// them in bands. Enlarging is the same either way.

#include <QColor>
#include <QImage>
#include <cstdint>
#include <string>

#include "book/book_reader.h"
#include "image/book_page_view.h"
#include "image/screen_fit.h"

namespace qb::viewer {

class PagePainter {
 public:
  void SetSmoothShrink(bool on) { smoothShrink_ = on; }

  // As BookPageView::Draw.
  [[nodiscard]] BookStatus Draw(const std::u16string& path, std::int32_t position, QImage& view,
                                const QColor& background, PagePlacement placement = PlaceInView);

  // The pages at two 1-based positions side by side, left then right, placed
  // as one picture by the full-screen rule (PlaceOnScreen) on background.
  // kBookDamaged when either cannot be read: the view is left as it was
  // when a page's size cannot be read, and that page's part stays blank
  // when its rows cannot.
  [[nodiscard]] BookStatus DrawPair(const std::u16string& path, std::int32_t left, std::int32_t right, QImage& view,
                                    const QColor& background);

 private:
  BookPageView classic_;
  bool smoothShrink_ = false;
};

}  // namespace qb::viewer
