#include "viewer/spread_rules.h"

#include <algorithm>
#include <cstdint>

namespace qb::viewer {

Spread SpreadAt(int page, const std::vector<bool>& wide) {
  const int count = static_cast<int>(wide.size());
  if (page <= 1 || page > count) return {page, page};
  const auto isWide = [&wide](int p) { return wide[static_cast<std::size_t>(p - 1)]; };
  for (int first = 2;;) {
    const int last = !isWide(first) && first < count && !isWide(first + 1) ? first + 1 : first;
    if (page <= last) return {first, last};
    first = last + 1;
  }
}

int SteppedSpreadPage(int current, int direction, const std::vector<bool>& wide) {
  const Spread here = SpreadAt(current, wide);
  const int count = static_cast<int>(wide.size());
  if (direction > 0) return here.last < count ? here.last + 1 : current;
  if (direction < 0) return here.first > 1 ? SpreadAt(here.first - 1, wide).first : current;
  return current;
}

SpreadAreas SplitSpread(const DrawRect& whole, int leftWidth, int leftHeight, int rightWidth, int rightHeight) {
  const std::int64_t pairWidth = std::int64_t{leftWidth} + rightWidth;
  const std::int64_t pairHeight = std::max(leftHeight, rightHeight);
  if (pairWidth <= 0 || pairHeight <= 0) return {};
  const int left = static_cast<int>(whole.width * std::int64_t{leftWidth} / pairWidth);
  const auto area = [&](int x, int width, int height) {
    const int scaled = static_cast<int>(whole.height * std::int64_t{height} / pairHeight);
    return DrawRect{x, whole.y + (whole.height - scaled) / 2, width, scaled};
  };
  return {area(whole.x, left, leftHeight), area(whole.x + left, whole.width - left, rightHeight)};
}

}  // namespace qb::viewer
