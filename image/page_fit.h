#pragma once
// Where a page of pw x ph pixels is drawn in a view whose inner area is
// vw x vh: natural size when the view is strictly larger both ways, otherwise
// fitted to the view's width (wider-than-high pages) or height (all others),
// and centred. Offsets may be negative; the view clips.

namespace qb {

struct DrawRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const DrawRect&) const = default;
};

DrawRect FitPageToView(int pageWidth, int pageHeight, int viewWidth, int viewHeight);

}  // namespace qb
