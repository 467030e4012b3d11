#pragma once
// The splash window's background picture.

#include <QImage>

namespace qb::viewer {

inline constexpr int kSplashWidth = 240;
inline constexpr int kSplashHeight = 280;

// 240 x 280 pixels: the emblem and the product name at the top, room for
// the version caption beneath them and a light panel at the bottom for the
// rights notice.
QImage DrawSplashPicture();

}  // namespace qb::viewer
