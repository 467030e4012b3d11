#pragma once
// The reader's keys and which of the page viewer's actions each one stands
// for. The keys act the same whichever control has the focus: Space is
// NEXT also on a focused button, so a page never turns differently
// depending on where the focus happens to be. Every button has its own key
// instead (PREV and NEXT their page keys, Ctrl+O and Ctrl+I for OPEN and
// INFO), so none needs Space to be pressed from the keyboard.

#include <Qt>

namespace qb::viewer {

enum class PageKeyAction { None, Previous, Next, First, Last, Open, Info };

// Left, PageUp, Backspace: PREV. Right, PageDown, Space: NEXT. Home, End:
// the first and last page. Ctrl+O: OPEN. Ctrl+I: INFO. The page keys count
// only without Ctrl and Alt, so they never take another program's chord;
// keypad keys count like the main ones.
PageKeyAction PageKeyFor(int key, Qt::KeyboardModifiers modifiers);

}  // namespace qb::viewer
