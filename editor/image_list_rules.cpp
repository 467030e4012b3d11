#include "editor/image_list_rules.h"

namespace qb::editor {

int MoveTarget(int selected, int direction, int count) {
  if (selected < 0 || selected >= count) return -1;
  const int target = selected + direction;
  return target >= 0 && target < count ? target : -1;
}

int SelectionAfterDelete(int remaining) { return remaining > 0 ? 0 : -1; }

}  // namespace qb::editor
