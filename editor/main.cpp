// QuillyEd, the Editor: where an author assembles a picture book from page
// pictures and exports it.
#include <QApplication>

#include "common/path_helpers.h"
#include "common/ui/japanese_font.h"
#include "common/ui/japanese_qt_texts.h"
#include "common/xdg_file_type_store.h"
#include "editor/editor_main.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  qb::UseJapaneseUiFont();
  qb::InstallJapaneseQtTexts();
  std::vector<std::u16string> arguments;
  for (const QString& argument : QApplication::arguments().mid(1)) arguments.push_back(argument.toStdU16String());
  qb::XdgFileTypeStore fileTypes(qb::XdgFileTypeStore::UserDataHome());
  const auto window = qb::editor::EditorMain(qb::ProgramFolder(), fileTypes, arguments);
  return QApplication::exec();
}
