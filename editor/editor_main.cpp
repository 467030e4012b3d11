#include "editor/editor_main.h"

#include "common/settings.h"

namespace qb::editor {

std::unique_ptr<frmEdit> EditorMain(const std::u16string& programFolder, FileTypeStore& fileTypes,
                                    const std::vector<std::u16string>& arguments) {
  EditorSettings settings = LoadEditorSettings(programFolder);
  // Unwritable settings cost only the remembered values; nothing is shown.
  static_cast<void>(SaveEditorSettings(settings));
  auto window = std::make_unique<frmEdit>(std::move(settings), programFolder, fileTypes);
  window->Form_Load(arguments);
  window->show();
  return window;
}

}  // namespace qb::editor
