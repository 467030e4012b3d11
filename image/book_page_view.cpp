#include "image/book_page_view.h"

#include <algorithm>

#include "book/book_format.h"
#include "book/book_reader.h"
#include "book/plane_bytes.h"
#include "image/view_drawing.h"

namespace qb {
namespace {

// The page's rows as the stretch asks for them: unmasked, ANDed and
// interleaved in one pass.
class PlaneRowsSource : public StretchSource {
 public:
  explicit PlaneRowsSource(PageRows& rows) : rows_(rows) {}
  int Width() const override { return rows_.Width(); }
  int Height() const override { return rows_.Height(); }

  void AndRows(int first, int count, int x0, int x1, std::uint32_t* out) override {
    // A few rows at a time: each pass reads a handful of runs side by side.
    constexpr int kRowsAtOnce = 8;
    MaskedPlanes runs[kRowsAtOnce];
    for (int done = 0; done < count; done += kRowsAtOnce) {
      const int rows = std::min(kRowsAtOnce, count - done);
      for (int i = 0; i < rows; ++i) {
        const MaskedPlanes row = rows_.Row(first + done + i);
        runs[i] = {row.blue + x0, row.green + x0, row.red + x0};
      }
      AndMaskedRuns(runs, rows, static_cast<std::size_t>(x1 - x0), done > 0, out);
    }
  }

 private:
  PageRows& rows_;
};

}  // namespace

BookStatus BookPageView::Draw(const std::u16string& path, std::int32_t position, QImage& view, const QColor& background,
                              PagePlacement placement) {
  if (const BookStatus opened = rows_.Open(path, position); opened != kBookSound) return opened;
  const DrawRect place = placement(rows_.Width(), rows_.Height(), view);
  ClearAroundPlace(view, place, background);
  PlaneRowsSource source(rows_);
  stretch_.Draw(source, place, TargetOf(view));
  rows_.Close();
  return kBookSound;
}

}  // namespace qb
