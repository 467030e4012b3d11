#pragma once
// The Editor's program icon: an open picture book with a quill writing in
// it, drawn by code at every size the desktop asks for.

#include <QIcon>
#include <QImage>

namespace qb::editor {

// The icon at size x size pixels on a transparent background.
QImage DrawEditorIcon(int size);

// The icon at every program icon size.
QIcon EditorIcon();

}  // namespace qb::editor
