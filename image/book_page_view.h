#pragma once
// Showing a page straight from its book: the rows of the mapped record pass
// through the classic stretch into the view, unmasked, AND-combined and
// interleaved on the way, so a page is never held whole, neither as pixels
// nor as a picture. What reaches the view is what DrawPageIntoView gives for
// the decoded page.

#include <QColor>
#include <QImage>
#include <cstdint>
#include <string>

#include "book/page_rows.h"
#include "image/classic_stretch.h"
#include "image/view_drawing.h"

namespace qb {

// Where a page of the given size goes in a view, in the view's own pixels.
using PagePlacement = DrawRect (*)(int pageWidth, int pageHeight, const QImage& view);

class BookPageView {
 public:
  // Reads the page record at the 1-based position and shows it in view:
  // cleared to background, the page stretched to the place `placement`
  // gives (nothing more for a page without pixels). Returns kBookSound, or
  // kBookDamaged when the record cannot be read; the view is then left as
  // it was.
  [[nodiscard]] BookStatus Draw(const std::u16string& path, std::int32_t position, QImage& view,
                                const QColor& background, PagePlacement placement = PlaceInView);

 private:
  PageRows rows_;
  ClassicStretch stretch_;
};

}  // namespace qb
