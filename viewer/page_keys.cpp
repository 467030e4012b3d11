#include "viewer/page_keys.h"

namespace qb::viewer {

PageKeyAction PageKeyFor(int key, Qt::KeyboardModifiers modifiers) {
  const Qt::KeyboardModifiers chord = modifiers & ~(Qt::KeypadModifier | Qt::ShiftModifier);
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
    default: return PageKeyAction::None;
  }
}

}  // namespace qb::viewer
