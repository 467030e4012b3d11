#include "viewer/page_keys.h"

namespace qb::viewer {

namespace {

// The modifiers that make a key a chord: Shift and the keypad do not.
Qt::KeyboardModifiers Chord(Qt::KeyboardModifiers modifiers) {
  return modifiers & ~(Qt::KeypadModifier | Qt::ShiftModifier);
}

}  // namespace

PageKeyAction PageKeyFor(int key, Qt::KeyboardModifiers modifiers) {
  const Qt::KeyboardModifiers chord = Chord(modifiers);
  if (chord == Qt::ControlModifier) {
    switch (key) {
      case Qt::Key_O: return PageKeyAction::Open;
      case Qt::Key_I: return PageKeyAction::Info;
      default: return PageKeyAction::None;
    }
  }
  if (chord != Qt::NoModifier) return PageKeyAction::None;
  switch (key) {
    case Qt::Key_Left:
    case Qt::Key_PageUp:
    case Qt::Key_Backspace: return PageKeyAction::Previous;
    case Qt::Key_Right:
    case Qt::Key_PageDown:
    case Qt::Key_Space: return PageKeyAction::Next;
    case Qt::Key_Home: return PageKeyAction::First;
    case Qt::Key_End: return PageKeyAction::Last;
    case Qt::Key_F11: return PageKeyAction::FullScreen;
    default: return PageKeyAction::None;
  }
}

bool PressesFocusedButton(int key, Qt::KeyboardModifiers modifiers) {
  if (Chord(modifiers) != Qt::NoModifier) return false;
  return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Select;
}

}  // namespace qb::viewer
