// Quilly, the Viewer: reads picture books page by page.
#include <QApplication>
#include <QStringList>

#include "common/path_helpers.h"
#include "common/ui/japanese_font.h"
#include "common/ui/japanese_qt_texts.h"
#include "common/xdg_file_type_store.h"
#include "viewer/view_window.h"
#include "viewer/viewer_icon.h"
#include "viewer/viewer_main.h"
#include "viewer/viewer_modals.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  qb::UseJapaneseUiFont();
  qb::InstallJapaneseQtTexts();
  QApplication::setWindowIcon(qb::viewer::ViewerIcon());

  std::vector<std::u16string> arguments;
  const QStringList line = QApplication::arguments();
  for (qsizetype i = 1; i < line.size(); ++i) arguments.push_back(line[i].toStdU16String());

  qb::XdgFileTypeStore fileTypes(qb::XdgFileTypeStore::UserDataHome());
  qb::viewer::QtViewerModals modals;
  const auto view = qb::viewer::StartViewer({qb::ProgramFolder(), arguments, fileTypes, modals});
  return QApplication::exec();
}
