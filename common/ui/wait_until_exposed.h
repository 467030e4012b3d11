#pragma once
// Waiting for a window that has just been shown to be on screen. Under a
// window manager a shown window is placed, and may be moved, before it is
// exposed; a dialog centred over it before then lands where the window was
// asked to be, not where it stands.

#include <chrono>

class QWidget;

namespace qb {

// Shows window if need be and processes events (no user input) until it is
// exposed or limit has passed; true when it is exposed.
bool WaitUntilExposed(QWidget& window, std::chrono::milliseconds limit);

}  // namespace qb
