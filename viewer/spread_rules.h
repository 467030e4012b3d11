#pragma once
// Two pages side by side, as a printed book lies open: page 1 alone like a
// cover, then pairs, except that a page wider than it is tall stands alone
// (it is a spread by itself) and the pairing starts again after it; a last
// page without a partner stands alone too.

#include <vector>

#include "image/page_fit.h"

namespace qb::viewer {

// Pages first..last (one or two pages).
struct Spread {
  int first = 1;
  int last = 1;
  bool operator==(const Spread&) const = default;
};

// The spread holding page; wide[i] tells whether page i + 1 is wider than
// it is tall. A page outside 1..wide.size() stands alone.
Spread SpreadAt(int page, const std::vector<bool>& wide);

// The first page of the spread one step (-1 back, +1 on) from the spread
// holding current; current itself at either end.
int SteppedSpreadPage(int current, int direction, const std::vector<bool>& wide);

struct SpreadAreas {
  DrawRect left;
  DrawRect right;
  bool operator==(const SpreadAreas&) const = default;
};

// Where the two pages of a spread go when the pair, as one picture of
// (leftWidth + rightWidth) x the taller height, is drawn at whole: side by
// side without a gap, each scaled alike and centred on the pair's height.
SpreadAreas SplitSpread(const DrawRect& whole, int leftWidth, int leftHeight, int rightWidth, int rightHeight);

}  // namespace qb::viewer
