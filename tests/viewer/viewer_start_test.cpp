#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <filesystem>

#include "common/ini_access.h"
#include "common/ui/picture_box.h"
#include "common/version_text.h"
#include "support/file_type_recording_store.h"
#include "support/scripted_message_boxes.h"
#include "viewer/screen_centre.h"
#include "viewer/splash_texts.h"
#include "viewer/start_window.h"
#include "viewer/view_window.h"
#include "viewer/viewer_main.h"
#include "viewer_test_support.h"

namespace qb::test {
namespace {

using viewer::frmStart;
namespace fs = std::filesystem;

int OpenSplashes() {
  int count = 0;
  for (QWidget* widget : QApplication::topLevelWidgets()) count += qobject_cast<frmStart*>(widget) != nullptr;
  return count;
}

TEST(SplashWindow, LayoutAndTexts) {
  frmStart splash;
  splash.Form_Load();
  EXPECT_TRUE(splash.isVisible());
  EXPECT_EQ(splash.size(), QSize(240, 280));
  EXPECT_TRUE(splash.windowTitle().isEmpty());
  EXPECT_TRUE(splash.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_EQ(splash.pos(), viewer::CentredTopLeft(QGuiApplication::primaryScreen()->geometry(), QSize(240, 280)));

  const QString version = QStringLiteral("バージョン") + QString::fromStdU16String(VersionNumberText());
  EXPECT_EQ(splash.VerDsp[0]->text(), version);
  EXPECT_EQ(splash.VerDsp[1]->text(), version);
  EXPECT_EQ(splash.VerDsp[1]->geometry(), QRect(88, 127, 145, 17));
  EXPECT_EQ(splash.VerDsp[0]->geometry(), QRect(88, 128, 145, 17));
  EXPECT_EQ(splash.VerDsp[1]->palette().color(QPalette::WindowText), QColor(0xFF, 0x80, 0x00));
  EXPECT_EQ(splash.VerDsp[0]->palette().color(QPalette::WindowText), QColor(0x80, 0x40, 0x00));
  EXPECT_EQ(splash.childAt(100, 135), splash.VerDsp[1]) << "the orange caption lies over its shadow";
  for (const QLabel* label : {splash.VerDsp[0], splash.VerDsp[1], splash.DSP[0]}) {
    EXPECT_FALSE(label->autoFillBackground()) << "labels let the picture show through";
  }

  EXPECT_EQ(splash.DSP[0]->geometry(), QRect(16, 184, 209, 81));
  EXPECT_TRUE(splash.DSP[0]->wordWrap());
  EXPECT_DOUBLE_EQ(splash.DSP[0]->font().pointSizeF(), 8.25);
  EXPECT_EQ(splash.DSP[0]->text().toStdU16String(), viewer::RightsNotice());
  EXPECT_FALSE(splash.DSP[0]->text().contains(u'\n'));

  // The painted splash shows the picture behind the captions.
  const QImage shown = splash.grab().toImage();
  EXPECT_NE(shown.pixelColor(120, 40), shown.pixelColor(5, 270));
}

class ViewerStartTest : public ::testing::Test {
 protected:
  viewer::ViewerStart Start(std::vector<std::u16string> arguments = {}) {
    viewer::ViewerStart start{U16(dir.path()), std::move(arguments), fileTypes, modals};
    start.pause = [this](frmStart& splash) {
      ++pauses;
      settingsDuringSplash = GetIniString(u"System", u"LastFolder", u"(missing)", U16(dir / "Quilly.Ini"));
      splashVisible = splash.isVisible();
      viewsDuringSplash = 0;
      for (QWidget* widget : QApplication::topLevelWidgets())
        viewsDuringSplash += qobject_cast<viewer::frmView*>(widget) != nullptr;
    };
    return start;
  }

  TempDir dir;
  RecordingFileTypeStore fileTypes;
  ScriptedViewerModals modals;
  ScriptedMessageBoxes boxes;
  int pauses = 0;
  std::u16string settingsDuringSplash;
  bool splashVisible = false;
  int viewsDuringSplash = -1;
};

TEST_F(ViewerStartTest, FirstStartWritesSettingsBeforeTheSplash) {
  const auto view = viewer::StartViewer(Start());
  EXPECT_EQ(pauses, 1);
  EXPECT_EQ(settingsDuringSplash, U16(dir / "Book"));
  EXPECT_TRUE(splashVisible);
  EXPECT_EQ(viewsDuringSplash, 0) << "the main window comes after the splash";
  EXPECT_EQ(OpenSplashes(), 0) << "the splash is gone";

  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->isVisible());
  EXPECT_EQ(view->windowTitle(), QStringLiteral("Quillberry"));
  EXPECT_EQ(view->Settings().settingsPath, U16(dir / "Quilly.Ini"));
  EXPECT_EQ(view->Settings().lastFolder, U16(dir / "Book"));
  EXPECT_EQ(fileTypes.Writes().size(), 1u);
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(ViewerStartTest, RememberedFolderIsKept) {
  fs::create_directories(dir / "shelf");
  ASSERT_NE(PutIniString(u"System", u"LastFolder", U16(dir / "shelf"), U16(dir / "Quilly.Ini")), 0);
  const auto view = viewer::StartViewer(Start());
  EXPECT_EQ(settingsDuringSplash, U16(dir / "shelf"));
  EXPECT_EQ(view->Settings().lastFolder, U16(dir / "shelf"));
}

TEST_F(ViewerStartTest, CommandLineBookIsOpened) {
  TestBookContents contents;
  contents.pages = ColouredPages(2);
  WriteTestBook(dir / "story.qbb", contents);
  const auto view = viewer::StartViewer(Start({U16(dir / "story.qbb")}));
  EXPECT_EQ(view->windowTitle(), QStringLiteral("Quillberry:[Plain Tales/Ann Berry]"));
  EXPECT_EQ(view->VIEW()->Canvas().pixel(319, 239), PageColour(1));
  EXPECT_EQ(view->PassCheckFlag(), viewer::kUnlocked);
}

}  // namespace
}  // namespace qb::test
