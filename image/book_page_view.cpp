#include "image/book_page_view.h"

#include "book/book_file.h"
#include "image/view_drawing.h"

namespace qb {

BookStatus BookPageView::Draw(const std::u16string& path, std::int32_t position, QImage& view, const QColor& background,
                              PagePlacement placement) {
  BookFile file(path);
  const bool drawn = [&] {
    if (source_.Open(file, position) != kBookSound) return false;
    const DrawRect place = placement(source_.Width(), source_.Height(), view);
    ClearAroundPlace(view, place, background);
    return stretch_.Draw(source_, place, TargetOf(view));
  }();
  source_.Close();
  if (drawn) return kBookSound;
  ClearAroundPlace(view, DrawRect{}, background);
  return kBookDamaged;
}

}  // namespace qb
