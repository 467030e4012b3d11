#pragma once
// The Editor's program icon: an open picture book with a quill writing in
// it, drawn by code at every size the desktop asks for.

#include <QIcon>
#include <QImage>

namespace qb::editor {

// The icon at size x size pixels on a transparent background.
QImage DrawEditorIcon(int size);

// The icon at 16, 24, 32, 48, 64, 128 and 256 pixels.
QIcon EditorIcon();

}  // namespace qb::editor
