#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>

#include "common/ui/japanese_qt_texts.h"

namespace qb {
namespace {

TEST(JapaneseQtTexts, QtButtonTextsBecomeJapanese) {
  const QString file = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_ja.qm");
  if (!QFileInfo::exists(file)) GTEST_SKIP() << "no Qt translations installed";
  ASSERT_TRUE(InstallJapaneseQtTexts());
  EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
}

}  // namespace
}  // namespace qb
