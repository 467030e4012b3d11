#pragma once
// The Editor's start-up: the settings are loaded and written straight back,
// so that from the first run on the settings file holds every key the
// Editor writes; then the main window is created, loaded and shown.

#include <memory>
#include <string>
#include <vector>

#include "common/file_type_store.h"
#include "editor/edit_window.h"

namespace qb::editor {

// programFolder: where the program runs from (the settings file lies
// there); fileTypes: where the file types are registered; arguments: the
// command line after the program name. Returns the shown main window.
std::unique_ptr<frmEdit> EditorMain(const std::u16string& programFolder, FileTypeStore& fileTypes,
                                    const std::vector<std::u16string>& arguments);

}  // namespace qb::editor
