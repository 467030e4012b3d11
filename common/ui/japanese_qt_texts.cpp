#include "common/ui/japanese_qt_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace qb {

bool InstallJapaneseQtTexts() {
  // Lives as long as the application: Qt keeps only a pointer to it.
  static QTranslator translator;
  if (!translator.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) return false;
  return QCoreApplication::installTranslator(&translator);
}

}  // namespace qb
