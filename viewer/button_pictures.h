#pragma once
// The small pictures above the captions of the main window's buttons.

#include <QIcon>
#include <QImage>

namespace qb::viewer {

enum class ButtonPicture { Open, Previous, Next, Info };

// The picture at size x size pixels (16 on the buttons) on a transparent
// background: a folder, a left arrow, a right arrow, an "i" in a circle.
QImage DrawButtonPicture(ButtonPicture picture, int size);

// The picture at 16 and 32 pixels; the disabled look is derived from it.
QIcon ButtonIcon(ButtonPicture picture);

}  // namespace qb::viewer
