#include <gtest/gtest.h>

#include "viewer/page_keys.h"

namespace qb::viewer {
namespace {

constexpr KeyModifiers kNone{};
constexpr KeyModifiers kCtrl{.control = true};
constexpr KeyModifiers kKeypad{.keypad = true};

TEST(PageKeys, ReaderKeysMapToTheButtonsAndEnds) {
  const struct {
    ReaderKey key;
    KeyModifiers modifiers;
    PageKeyAction action;
  } cases[] = {
      {ReaderKey::Left, kNone, PageKeyAction::Previous},
      {ReaderKey::Up, kKeypad, PageKeyAction::Previous},
      {ReaderKey::PageUp, kNone, PageKeyAction::Previous},
      {ReaderKey::Backspace, kNone, PageKeyAction::Previous},
      {ReaderKey::Right, kNone, PageKeyAction::Next},
      {ReaderKey::Down, kNone, PageKeyAction::Next},
      {ReaderKey::Down, kCtrl, PageKeyAction::None},
      {ReaderKey::PageDown, kKeypad, PageKeyAction::Next},
      {ReaderKey::Space, kNone, PageKeyAction::Next},
      {ReaderKey::Home, kNone, PageKeyAction::First},
      {ReaderKey::End, kNone, PageKeyAction::Last},
      {ReaderKey::O, kCtrl, PageKeyAction::Open},
      {ReaderKey::I, kCtrl, PageKeyAction::Info},
      {ReaderKey::F11, kNone, PageKeyAction::FullScreen},
      {ReaderKey::F11, kCtrl, PageKeyAction::None},
      // Chords belong to someone else; plain letters are no commands.
      {ReaderKey::Right, kCtrl, PageKeyAction::None},
      {ReaderKey::Space, {.alt = true}, PageKeyAction::None},
      {ReaderKey::O, kNone, PageKeyAction::None},
      {ReaderKey::O, {.control = true, .alt = true}, PageKeyAction::None},
      {ReaderKey::Return, kNone, PageKeyAction::None},
      {ReaderKey::Enter, kKeypad, PageKeyAction::None},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PageKeyFor(c.key, c.modifiers), c.action) << static_cast<int>(c.key);
  }
}

// Shift and the keypad make no chord; every other modifier does, and only
// Ctrl alone makes the button chords.
TEST(PageKeys, WhichModifiersMakeAChord) {
  EXPECT_EQ(PageKeyFor(ReaderKey::Right, {.shift = true}), PageKeyAction::Next);
  EXPECT_EQ(PageKeyFor(ReaderKey::Left, {.shift = true, .keypad = true}), PageKeyAction::Previous);
  EXPECT_EQ(PageKeyFor(ReaderKey::O, {.shift = true, .control = true}), PageKeyAction::Open);
  EXPECT_EQ(PageKeyFor(ReaderKey::I, {.control = true, .keypad = true}), PageKeyAction::Info);
  for (const KeyModifiers chord : {KeyModifiers{.meta = true}, KeyModifiers{.groupSwitch = true}}) {
    EXPECT_EQ(PageKeyFor(ReaderKey::Right, chord), PageKeyAction::None);
    EXPECT_EQ(PageKeyFor(ReaderKey::F11, chord), PageKeyAction::None);
    EXPECT_FALSE(PressesFocusedButton(ReaderKey::Space, chord));
  }
  EXPECT_EQ(PageKeyFor(ReaderKey::O, {.control = true, .meta = true}), PageKeyAction::None);
  EXPECT_EQ(PageKeyFor(ReaderKey::Other, kNone), PageKeyAction::None);
  EXPECT_EQ(PageKeyFor(ReaderKey::Other, kCtrl), PageKeyAction::None);
}

TEST(PageKeys, SpaceAndReturnPressAFocusedButton) {
  EXPECT_TRUE(PressesFocusedButton(ReaderKey::Space, kNone));
  EXPECT_TRUE(PressesFocusedButton(ReaderKey::Return, {.shift = true}));
  EXPECT_TRUE(PressesFocusedButton(ReaderKey::Enter, kKeypad));
  EXPECT_TRUE(PressesFocusedButton(ReaderKey::Select, kNone));
  EXPECT_FALSE(PressesFocusedButton(ReaderKey::Space, kCtrl));
  EXPECT_FALSE(PressesFocusedButton(ReaderKey::Return, {.alt = true}));
  EXPECT_FALSE(PressesFocusedButton(ReaderKey::Right, kNone));
}

}  // namespace
}  // namespace qb::viewer
