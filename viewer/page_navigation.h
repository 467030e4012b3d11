#pragma once
// Which page the viewer's PREV/NEXT buttons and scroll bar lead to.

#include <cstdint>

namespace qb::viewer {

// The page one step (-1 PREV, +1 NEXT) from current within 1..pageCount.
// At either end the step does nothing; there is no wrap-around.
int SteppedPage(int current, int direction, int pageCount);

// The page the scroll bar may show for value: any page while the book is
// unlocked (IsUnlocked(passCheckFlag)), only page 1 while it is locked.
int ShowablePage(int value, std::int16_t passCheckFlag);

}  // namespace qb::viewer
