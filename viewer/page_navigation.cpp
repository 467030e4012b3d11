#include "viewer/page_navigation.h"

#include "viewer/pass_check.h"

namespace qb::viewer {

int SteppedPage(int current, int direction, int pageCount) {
  if (direction < 0) return current < 2 ? current : current - 1;
  if (direction > 0) return current >= pageCount ? current : current + 1;
  return current;
}

int ShowablePage(int value, std::int16_t passCheckFlag) { return IsUnlocked(passCheckFlag) ? value : 1; }

}  // namespace qb::viewer
