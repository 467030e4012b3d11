#pragma once
// The image list's rules: where a moved item goes, and what is selected
// after a delete.

#include <string_view>

namespace qb::editor {

// The index the selected item moves to (direction -1 up, +1 down), or -1
// when nothing moves: no selection, the first item up or the last down.
int MoveTarget(int selected, int direction, int count);

// The selection after a delete: the first item while any remain, else none.
int SelectionAfterDelete(int remaining);

}  // namespace qb::editor
