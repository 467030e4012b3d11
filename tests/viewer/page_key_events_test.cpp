#include <gtest/gtest.h>

#include <QKeyEvent>

#include "viewer/page_key_events.h"

namespace qb::viewer {
namespace {

PageKeyAction ActionOf(int key, Qt::KeyboardModifiers modifiers) {
  return PageKeyFor(QKeyEvent(QEvent::KeyPress, key, modifiers));
}

bool PressesButton(int key, Qt::KeyboardModifiers modifiers) {
  return PressesFocusedButton(QKeyEvent(QEvent::KeyPress, key, modifiers));
}

TEST(PageKeyEvents, QtKeysAndModifiersInTheRulesWords) {
  const std::pair<int, ReaderKey> keys[] = {
      {Qt::Key_Left, ReaderKey::Left},
      {Qt::Key_Right, ReaderKey::Right},
      {Qt::Key_Up, ReaderKey::Up},
      {Qt::Key_Down, ReaderKey::Down},
      {Qt::Key_PageUp, ReaderKey::PageUp},
      {Qt::Key_PageDown, ReaderKey::PageDown},
      {Qt::Key_Backspace, ReaderKey::Backspace},
      {Qt::Key_Space, ReaderKey::Space},
      {Qt::Key_Home, ReaderKey::Home},
      {Qt::Key_End, ReaderKey::End},
      {Qt::Key_Return, ReaderKey::Return},
      {Qt::Key_Enter, ReaderKey::Enter},
      {Qt::Key_Select, ReaderKey::Select},
      {Qt::Key_F11, ReaderKey::F11},
      {Qt::Key_O, ReaderKey::O},
      {Qt::Key_I, ReaderKey::I},
      {Qt::Key_Escape, ReaderKey::Other},
      {Qt::Key_F10, ReaderKey::Other},
      {Qt::Key_6, ReaderKey::Other},
      {Qt::Key_unknown, ReaderKey::Other},
  };
  for (const auto& [qtKey, key] : keys) EXPECT_EQ(ReaderKeyOf(qtKey), key) << qtKey;

  const KeyModifiers all = KeyModifiersOf(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier |
                                          Qt::KeypadModifier | Qt::GroupSwitchModifier);
  EXPECT_TRUE(all.shift && all.control && all.alt && all.meta && all.keypad && all.groupSwitch);
  const KeyModifiers none = KeyModifiersOf(Qt::NoModifier);
  EXPECT_FALSE(none.shift || none.control || none.alt || none.meta || none.keypad || none.groupSwitch);
  const KeyModifiers keypad = KeyModifiersOf(Qt::KeypadModifier);
  EXPECT_TRUE(keypad.keypad);
  EXPECT_FALSE(keypad.shift || keypad.control || keypad.alt || keypad.meta || keypad.groupSwitch);
  EXPECT_TRUE(KeyModifiersOf(Qt::MetaModifier).meta);
  EXPECT_FALSE(KeyModifiersOf(Qt::MetaModifier).control);
}

// The reader's keys as Qt reports them, from the event to the action.
TEST(PageKeyEvents, KeyEventsMapToTheButtonsAndEnds) {
  const struct {
    int key;
    Qt::KeyboardModifiers modifiers;
    PageKeyAction action;
  } cases[] = {
      {Qt::Key_Left, Qt::NoModifier, PageKeyAction::Previous},
      {Qt::Key_Left, Qt::KeypadModifier, PageKeyAction::Previous},
      {Qt::Key_Right, Qt::KeypadModifier, PageKeyAction::Next},
      {Qt::Key_Right, Qt::ShiftModifier, PageKeyAction::Next},
      {Qt::Key_PageDown, Qt::KeypadModifier, PageKeyAction::Next},
      {Qt::Key_Home, Qt::KeypadModifier, PageKeyAction::First},
      {Qt::Key_End, Qt::KeypadModifier, PageKeyAction::Last},
      {Qt::Key_O, Qt::ControlModifier, PageKeyAction::Open},
      {Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier, PageKeyAction::Info},
      {Qt::Key_F11, Qt::NoModifier, PageKeyAction::FullScreen},
      {Qt::Key_F11, Qt::ControlModifier, PageKeyAction::None},
      {Qt::Key_Right, Qt::ControlModifier, PageKeyAction::None},
      {Qt::Key_Space, Qt::AltModifier, PageKeyAction::None},
      {Qt::Key_Right, Qt::MetaModifier, PageKeyAction::None},
      {Qt::Key_O, Qt::ControlModifier | Qt::AltModifier, PageKeyAction::None},
      {Qt::Key_Enter, Qt::KeypadModifier, PageKeyAction::None},
      {Qt::Key_Escape, Qt::NoModifier, PageKeyAction::None},
  };
  for (const auto& c : cases) EXPECT_EQ(ActionOf(c.key, c.modifiers), c.action) << c.key << " " << c.modifiers;

  EXPECT_TRUE(PressesButton(Qt::Key_Enter, Qt::KeypadModifier));
  EXPECT_TRUE(PressesButton(Qt::Key_Return, Qt::ShiftModifier));
  EXPECT_FALSE(PressesButton(Qt::Key_Space, Qt::ControlModifier));
  EXPECT_FALSE(PressesButton(Qt::Key_Right, Qt::NoModifier));
}

}  // namespace
}  // namespace qb::viewer
