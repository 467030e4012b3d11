#include "viewer/page_key_events.h"

#include <QKeyEvent>

namespace qb::viewer {

ReaderKey ReaderKeyOf(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Left: return ReaderKey::Left;
    case Qt::Key_Right: return ReaderKey::Right;
    case Qt::Key_Up: return ReaderKey::Up;
    case Qt::Key_Down: return ReaderKey::Down;
    case Qt::Key_PageUp: return ReaderKey::PageUp;
    case Qt::Key_PageDown: return ReaderKey::PageDown;
    case Qt::Key_Backspace: return ReaderKey::Backspace;
    case Qt::Key_Space: return ReaderKey::Space;
    case Qt::Key_Home: return ReaderKey::Home;
    case Qt::Key_End: return ReaderKey::End;
    case Qt::Key_Return: return ReaderKey::Return;
    case Qt::Key_Enter: return ReaderKey::Enter;
    case Qt::Key_Select: return ReaderKey::Select;
    case Qt::Key_F11: return ReaderKey::F11;
    case Qt::Key_O: return ReaderKey::O;
    case Qt::Key_I: return ReaderKey::I;
    default: return ReaderKey::Other;
  }
}

KeyModifiers KeyModifiersOf(Qt::KeyboardModifiers modifiers) {
  return {.shift = modifiers.testFlag(Qt::ShiftModifier),
          .control = modifiers.testFlag(Qt::ControlModifier),
          .alt = modifiers.testFlag(Qt::AltModifier),
          .meta = modifiers.testFlag(Qt::MetaModifier),
          .keypad = modifiers.testFlag(Qt::KeypadModifier),
          .groupSwitch = modifiers.testFlag(Qt::GroupSwitchModifier)};
}

PageKeyAction PageKeyFor(const QKeyEvent& event) {
  return PageKeyFor(ReaderKeyOf(event.key()), KeyModifiersOf(event.modifiers()));
}

bool PressesFocusedButton(const QKeyEvent& event) {
  return PressesFocusedButton(ReaderKeyOf(event.key()), KeyModifiersOf(event.modifiers()));
}

}  // namespace qb::viewer
