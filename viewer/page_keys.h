#pragma once
// The reader's keys and which of the page viewer's actions each one stands
// for. The keys act the same whichever control has the focus, except that a
// focused button takes Space and Return as any push button does: Space
// turns the page only where no button has the focus. Every button also has
// its own key (PREV and NEXT their page keys, Ctrl+O and Ctrl+I for OPEN
// and INFO), named in its tooltip. The window turns its key events into
// these words (viewer/page_key_events.h).

namespace qb::viewer {

// The keys the rules tell apart; every other key is Other. A key on the
// keypad is the key it stands for, pressed with keypad held.
enum class ReaderKey {
  Other,
  Left,
  Right,
  Up,
  Down,
  PageUp,
  PageDown,
  Backspace,
  Space,
  Home,
  End,
  Return,
  Enter,
  Select,
  F11,
  O,
  I,
};

// What is held with a key.
struct KeyModifiers {
  bool shift = false;
  bool control = false;
  bool alt = false;
  bool meta = false;
  bool keypad = false;       // the key came from the keypad
  bool groupSwitch = false;  // the keyboard's group (Mode_switch) key
};

enum class PageKeyAction { None, Previous, Next, First, Last, Open, Info, FullScreen };

// Left, Up, PageUp, Backspace: PREV. Right, Down, PageDown, Space: NEXT.
// Home, End: the first and last page. Ctrl+O: OPEN. Ctrl+I: INFO. F11: into
// or out of full screen. The page keys count only without Ctrl and Alt, so
// they never take another program's chord; keypad keys count like the main
// ones.
PageKeyAction PageKeyFor(ReaderKey key, KeyModifiers modifiers);

// Space, Return, Enter and Select without Ctrl or Alt: the keys that press
// the focused button instead of standing for a page action.
bool PressesFocusedButton(ReaderKey key, KeyModifiers modifiers);

}  // namespace qb::viewer
