#pragma once
// Qt's key events in the words of the reader's key rules (viewer/page_keys.h).

#include <Qt>

#include "viewer/page_keys.h"

class QKeyEvent;

namespace qb::viewer {

// Qt reports a keypad key as the main key it stands for with the keypad
// modifier, so a keypad arrow is the arrow with keypad held.
ReaderKey ReaderKeyOf(int qtKey);
KeyModifiers KeyModifiersOf(Qt::KeyboardModifiers modifiers);

PageKeyAction PageKeyFor(const QKeyEvent& event);
bool PressesFocusedButton(const QKeyEvent& event);

}  // namespace qb::viewer
