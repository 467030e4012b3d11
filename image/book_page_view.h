#pragma once
// Showing a page straight from its book: the record's rows are read a band
// at a time and pass through the classic stretch into the view, unmasked,
// AND-combined and interleaved on the way, so a page is never held whole,
// neither as pixels nor as a picture. What reaches the view is what
// DrawPageIntoView gives for the decoded page.

#include <QColor>
#include <QImage>
#include <cstdint>
#include <string>

#include "book/book_reader.h"
#include "image/classic_stretch.h"
#include "image/page_record_source.h"
#include "image/view_drawing.h"

namespace qb {

// Where a page of the given size goes in a view, in the view's own pixels.
using PagePlacement = DrawRect (*)(int pageWidth, int pageHeight, const QImage& view);

class BookPageView {
 public:
  // Reads the page record at the 1-based position and shows it in view:
  // cleared to background, the page stretched to the place `placement`
  // gives (nothing more for a page without pixels). Returns kBookSound, or
  // kBookDamaged when the record cannot be read, also when the book was cut
  // short while it was drawn; the view is then all background, never a
  // page half drawn or a page other than the one asked for.
  [[nodiscard]] BookStatus Draw(const std::u16string& path, std::int32_t position, QImage& view,
                                const QColor& background, PagePlacement placement = PlaceInView);

 private:
  PageRecordSource source_;  // its band memory serves page after page
  ClassicStretch stretch_;
};

}  // namespace qb
