#include "viewer/page_keys.h"

namespace qb::viewer {

namespace {

// The modifiers that make a key a chord: Shift and the keypad do not.
enum class Chord { None, Control, Other };

Chord ChordOf(KeyModifiers modifiers) {
  if (modifiers.alt || modifiers.meta || modifiers.groupSwitch) return Chord::Other;
  return modifiers.control ? Chord::Control : Chord::None;
}

}  // namespace

PageKeyAction PageKeyFor(ReaderKey key, KeyModifiers modifiers) {
  const Chord chord = ChordOf(modifiers);
  if (chord == Chord::Control) {
    switch (key) {
      case ReaderKey::O: return PageKeyAction::Open;
      case ReaderKey::I: return PageKeyAction::Info;
      default: return PageKeyAction::None;
    }
  }
  if (chord != Chord::None) return PageKeyAction::None;
  switch (key) {
    case ReaderKey::Left:
    case ReaderKey::Up:
    case ReaderKey::PageUp:
    case ReaderKey::Backspace: return PageKeyAction::Previous;
    case ReaderKey::Right:
    case ReaderKey::Down:
    case ReaderKey::PageDown:
    case ReaderKey::Space: return PageKeyAction::Next;
    case ReaderKey::Home: return PageKeyAction::First;
    case ReaderKey::End: return PageKeyAction::Last;
    case ReaderKey::F11: return PageKeyAction::FullScreen;
    default: return PageKeyAction::None;
  }
}

bool PressesFocusedButton(ReaderKey key, KeyModifiers modifiers) {
  if (ChordOf(modifiers) != Chord::None) return false;
  return key == ReaderKey::Space || key == ReaderKey::Return || key == ReaderKey::Enter || key == ReaderKey::Select;
}

}  // namespace qb::viewer
