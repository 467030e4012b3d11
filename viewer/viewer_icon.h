#pragma once
// The Viewer's program icon: the berry with its quill, drawn by code at
// every size the desktop asks for.

#include <QIcon>
#include <QImage>

namespace qb::viewer {

// The icon at size x size pixels on a transparent background.
QImage DrawViewerIcon(int size);

// The icon at every program icon size.
QIcon ViewerIcon();

}  // namespace qb::viewer
