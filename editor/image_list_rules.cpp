#include "editor/image_list_rules.h"

namespace qb::editor {

bool IsPreviewable(std::u16string_view path) {
  if (path.size() < 4) return true;
  const std::u16string_view ending = path.substr(path.size() - 4);
  const auto is = [](char16_t c, char16_t upper) { return c == upper || c == upper + (u'a' - u'A'); };
  return !(ending[0] == u'.' && is(ending[1], u'P') && is(ending[2], u'N') && is(ending[3], u'G'));
}

int MoveTarget(int selected, int direction, int count) {
  if (selected < 0 || selected >= count) return -1;
  const int target = selected + direction;
  return target >= 0 && target < count ? target : -1;
}

int SelectionAfterDelete(int remaining) { return remaining > 0 ? 0 : -1; }

}  // namespace qb::editor
