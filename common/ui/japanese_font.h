#pragma once
// The programs' Japanese user-interface font: the installed Japanese gothic
// faces first, so that every caption and message shows Japanese glyphs.

#include <QFont>

namespace qb {

// A Japanese gothic font of the given size in points; proportional unless
// fixedPitch is asked for.
QFont JapaneseFont(double pointSize = 9, bool fixedPitch = false);

// Makes JapaneseFont() the application's default font.
void UseJapaneseUiFont();

}  // namespace qb
