// Renders the programs' icons into a hicolor icon theme folder at build time,
// from the same drawing code the running programs use for their windows.
// Usage: qb_iconexport THEME_FOLDER   (writes <N>x<N>/apps/<icon name>.png)
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdlib>
#include <iostream>

#include "common/file_type_definition.h"
#include "common/ui/program_icon.h"
#include "editor/editor_icon.h"
#include "viewer/viewer_icon.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "Usage: qb_iconexport THEME_FOLDER\n";
    return 1;
  }
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  const QString theme = QString::fromLocal8Bit(argv[1]);
  struct Icon {
    const std::u16string& name;  // the Icon= name of the program's launcher entry
    QImage (*draw)(int);
  };
  const Icon icons[] = {{qb::BookFileType().handler.iconName, qb::viewer::DrawViewerIcon},
                        {qb::DataFileType().handler.iconName, qb::editor::DrawEditorIcon}};
  for (const int size : qb::kProgramIconSizes) {
    const QString folder = theme + QStringLiteral("/%1x%1/apps").arg(size);
    if (!QDir().mkpath(folder)) {
      std::cerr << "qb_iconexport: cannot create " << folder.toStdString() << "\n";
      return 1;
    }
    for (const Icon& icon : icons) {
      const QString file = folder + "/" + QString::fromStdU16String(icon.name) + ".png";
      if (!icon.draw(size).save(file, "PNG")) {
        std::cerr << "qb_iconexport: cannot write " << file.toStdString() << "\n";
        return 1;
      }
    }
  }
  return 0;
}
