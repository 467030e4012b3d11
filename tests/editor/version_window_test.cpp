// The version window (editor/version_window.cpp): what it shows and what
// its address labels hand to the shell.

#include "editor/version_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "common/ui/clickable_label.h"
#include "common/version_text.h"
#include "support/recording_shell_open.h"

namespace qb::editor {
namespace {

QStringList LabelTexts(const QWidget& window) {
  QStringList texts;
  for (const QLabel* label : window.findChildren<QLabel*>()) texts << label->text();
  return texts;
}

TEST(VersionWindow, ShowsTitleVersionCaptionsAndAddresses) {
  VersionWindow window;
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Quillberry -Edit-"));
  EXPECT_FALSE(window.windowIcon().isNull());
  EXPECT_EQ(window.VersionLabel()->text(), QStringLiteral("Ver") + QString::fromStdU16String(VersionNumberText()));
  const QStringList texts = LabelTexts(window);
  for (const char* expected :
       {"Quillberry", "HomePage", "Mail", "https://quillberry.example/", "info@quillberry.example"}) {
    EXPECT_TRUE(texts.contains(QString::fromUtf8(expected))) << expected;
  }
  EXPECT_EQ(window.CloseButton()->text(), QStringLiteral("閉じる"));
}

TEST(VersionWindow, AddressLabelsOpenTheHomePageAndAMail) {
  RecordingShellOpen shell;
  VersionWindow window;
  window.adjustSize();
  for (QLabel* label : window.findChildren<QLabel*>()) {
    if (label->text() == QStringLiteral("HomePage") || label->text() == QStringLiteral("Mail")) {
      QTest::mouseClick(label, Qt::LeftButton);  // the captions do nothing
    }
  }
  QTest::mouseClick(window.HomePageLabel(), Qt::LeftButton);
  QTest::mouseClick(window.MailLabel(), Qt::LeftButton);
  EXPECT_EQ(shell.Targets(), (std::vector<QString>{"https://quillberry.example/", "Mailto:info@quillberry.example"}));
  ASSERT_EQ(shell.Urls().size(), 2u);
  EXPECT_EQ(shell.Urls()[1], QUrl(QStringLiteral("mailto:info@quillberry.example")));
}

TEST(VersionWindow, CloseButtonEndsTheWindow) {
  VersionWindow window;
  window.show();
  QTest::mouseClick(window.CloseButton(), Qt::LeftButton);
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(window.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace qb::editor
