// Dropping pictures, folders and definition files on the Editor, the
// natural name order of a dropped folder, the export's progress window and
// its cancel button, and the accessible names and focus order of the
// Editor's windows.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "book/book_writer.h"
#include "common/ini_access.h"
#include "common/ui/clickable_label.h"
#include "common/ui/picture_box.h"
#include "editor/dropped_pictures.h"
#include "editor/export_messages.h"
#include "editor/limited_line_edit.h"
#include "editor/natural_order.h"
#include "editor/version_window.h"
#include "editor/window_export_ui.h"
#include "editor_test_support.h"
#include "support/simulated_drop.h"

namespace qb::editor {
namespace {

namespace fs = std::filesystem;
using test::EditorHarness;
using test::ReadBytes;
using test::SavePicture;
using test::SolidPicture;

TEST(NaturalOrder, NumbersCompareByValue) {
  std::vector<std::u16string> names = {u"page10.bmp", u"page9.bmp",   u"Page2.bmp",   u"page1.bmp",
                                       u"cover.bmp",  u"page100.bmp", u"page09b.bmp", u"page9a.bmp"};
  std::sort(names.begin(), names.end(), [](const auto& a, const auto& b) { return NaturalLess(a, b); });
  EXPECT_EQ(names, (std::vector<std::u16string>{u"cover.bmp", u"page1.bmp", u"Page2.bmp", u"page9.bmp", u"page9a.bmp",
                                                u"page09b.bmp", u"page10.bmp", u"page100.bmp"}));
}

TEST(NaturalOrder, TiesBreakSoDifferentNamesNeverCompareEqual) {
  EXPECT_TRUE(NaturalLess(u"a", u"ab"));
  EXPECT_FALSE(NaturalLess(u"ab", u"a"));
  EXPECT_FALSE(NaturalLess(u"p7", u"p7"));
  // Same but for case or leading zeros: ordered one way only.
  EXPECT_NE(NaturalLess(u"P1", u"p1"), NaturalLess(u"p1", u"P1"));
  EXPECT_NE(NaturalLess(u"p01", u"p1"), NaturalLess(u"p1", u"p01"));
  // Digits longer than any integer still compare by value.
  EXPECT_TRUE(NaturalLess(u"x99999999999999999999", u"x100000000000000000000"));
  EXPECT_TRUE(NaturalLess(u"x2", u"x10"));
  EXPECT_TRUE(NaturalLess(u"x10", u"y1"));
}

TEST(DroppedPictures, TheAddDialogsEndingsOnly) {
  for (const char16_t* name : {u"a.bmp", u"a.BMP", u"a.ico", u"a.jpg", u"a.JPEG", u"a.wmf", u"a.gif", u"a.Png"}) {
    EXPECT_TRUE(IsAddablePicture(name, 1)) << QString::fromUtf16(name).toStdString();
  }
  for (const char16_t* name : {u"a.qbd", u"a.qbb", u"bmp", u"a.bmp.txt", u"a.jpe", u"a.txt"}) {
    EXPECT_FALSE(IsAddablePicture(name, 1)) << QString::fromUtf16(name).toStdString();
  }
  EXPECT_FALSE(IsAddablePicture(u"a.gif", 0)) << "the GIF option is off";
  EXPECT_TRUE(IsAddablePicture(u"a.jpeg", 0));
}

TEST(DroppedPictures, FoldersGiveTheirPicturesInNaturalOrderFilesStayInPlace) {
  test::TempFolder dir;
  const auto touch = [&](const std::string& name) {
    fs::create_directories(fs::path(dir / name).parent_path());
    std::ofstream(fs::path(dir / name)) << "x";
  };
  for (const char* name : {"pics/page10.bmp", "pics/page9.jpg", "pics/page1.bmp", "pics/notes.txt", "pics/anim.gif",
                           "pics/inner/page0.bmp", "loose.ico", "loose.png"}) {
    touch(name);
  }
  const std::vector<std::u16string> dropped = {dir / "loose.ico", dir / "pics", dir / "loose.png", dir / "missing"};
  EXPECT_EQ(PicturesFromDrop(dropped, 1),
            (std::vector<std::u16string>{dir / "loose.ico", dir / "pics/anim.gif", dir / "pics/page1.bmp",
                                         dir / "pics/page9.jpg", dir / "pics/page10.bmp", dir / "loose.png"}));
  EXPECT_EQ(PicturesFromDrop(dropped, 0),
            (std::vector<std::u16string>{dir / "loose.ico", dir / "pics/page1.bmp", dir / "pics/page9.jpg",
                                         dir / "pics/page10.bmp", dir / "loose.png"}));
}

TEST(EditorDrop, FolderAppendsItsPicturesAndSelectsTheLast) {
  EditorHarness h;
  const std::u16string first = SavePicture(SolidPicture(8, 6, qRgb(10, 20, 30)), h.work / "first.bmp");
  SavePicture(SolidPicture(8, 6, qRgb(1, 2, 3)), h.work / "pics/page9.bmp");
  SavePicture(SolidPicture(8, 6, qRgb(200, 100, 50)), h.work / "pics/page10.bmp");
  SavePicture(SolidPicture(8, 6, qRgb(4, 5, 6)), h.work / "pics/page1.bmp");
  h.AddImage(first);
  frmEdit& window = h.Window();

  const DropOutcome outcome = SimulateFileDrop(&window, {h.work / "pics"});
  EXPECT_TRUE(outcome.entered && outcome.dropped);
  EXPECT_EQ(window.ImageList(), (std::vector<std::u16string>{first, h.work / "pics/page1.bmp",
                                                             h.work / "pics/page9.bmp", h.work / "pics/page10.bmp"}));
  EXPECT_EQ(window.SelectedIndex(), 3);
  // Previewed as after the add button: page10's colour fills the preview centre.
  EXPECT_EQ(window.VIEW()->Canvas().pixel(window.VIEW()->Canvas().rect().center()), qRgb(200, 100, 50));
  EXPECT_EQ(h.dialogs.FileRequests().size(), 1u) << "only the add button asked";

  // Loose pictures are appended as they come; other files are refused.
  SimulateFileDrop(&window, {h.work / "pics/page9.bmp", h.work / "first.bmp"});
  EXPECT_EQ(window.ImageList().size(), 6u);
  EXPECT_EQ(window.ImageList().back(), first);
  std::ofstream(fs::path(h.work / "notes.txt")) << "text";
  EXPECT_FALSE(SimulateFileDrop(&window, {h.work / "notes.txt"}).entered);
  EXPECT_EQ(window.ImageList().size(), 6u);
}

TEST(EditorDrop, GifOptionOffLeavesDroppedGifsOut) {
  EditorHarness h;
  ASSERT_NE(PutIniString(u"Options", u"GIF", u"0", h.SettingsPath()), 0);
  std::ofstream(fs::path(h.work / "anim.gif")) << "x";
  EXPECT_FALSE(SimulateFileDrop(&h.Window(), {h.work / "anim.gif"}).entered);
  EXPECT_TRUE(h.Window().ImageList().empty());
}

TEST(EditorDrop, DefinitionFileLoadsLikeTheLoadButton) {
  EditorHarness h;
  frmEdit& window = h.Window();
  const std::u16string picture = SavePicture(SolidPicture(8, 6, qRgb(9, 9, 9)), h.work / "pics/p1.bmp");
  h.AddImage(picture);
  window.LineField(0)->ShowText(QStringLiteral("Ann Berry"));
  window.LineField(1)->ShowText(QStringLiteral("Dropped Tales"));
  fs::create_directories(fs::path(h.work / "shelf"));
  h.Export(h.work / "shelf/tales");
  ASSERT_TRUE(test::Exists(h.work / "shelf/tales.qbd"));
  ASSERT_NE(PutIniString(u"System", u"LastFolder", u"/elsewhere", h.SettingsPath()), 0);

  EditorHarness fresh;
  frmEdit& other = fresh.Window();
  const std::u16string stray = SavePicture(SolidPicture(4, 4, qRgb(1, 1, 1)), fresh.work / "stray.bmp");
  // A definition file in a drop is loaded; the pictures beside it are not appended.
  EXPECT_TRUE(SimulateFileDrop(&other, {stray, h.work / "shelf/tales.qbd"}).dropped);
  EXPECT_EQ(other.Fields().author, u"Ann Berry");
  EXPECT_EQ(other.Fields().title, u"Dropped Tales");
  EXPECT_EQ(other.ImageList(), std::vector<std::u16string>{picture});
  EXPECT_EQ(other.SelectedIndex(), -1);
  EXPECT_EQ(other.Settings().lastFolder, h.work / "shelf");
  EXPECT_EQ(GetIniString(u"System", u"LastFolder", u"", fresh.SettingsPath()), h.work / "shelf");
}

TEST(ExportProgressText, PageOfCount) {
  EXPECT_EQ(ExportProgressText(0, 10), u"ページ 1 / 10");
  EXPECT_EQ(ExportProgressText(9, 10), u"ページ 10 / 10");
}

// The window's own progress window, cancelled with its button before the
// page cancelAt is written.
class CancellingExportUi : public WindowExportUi {
 public:
  CancellingExportUi(frmEdit& window, int cancelAt) : WindowExportUi(window), window_(window), cancelAt_(cancelAt) {}

  bool Progress(int page, int count) override {
    if (page == cancelAt_) {
      QProgressDialog* dialog = window_.findChild<QProgressDialog*>();
      if (dialog == nullptr) return WindowExportUi::Progress(page, count);
      const QList<QPushButton*> buttons = dialog->findChildren<QPushButton*>();
      if (buttons.size() == 1) {
        cancelCaption = buttons.front()->text();
        buttons.front()->click();
      }
    }
    const bool go = WindowExportUi::Progress(page, count);
    if (const QProgressDialog* dialog = window_.findChild<QProgressDialog*>()) labels.push_back(dialog->labelText());
    busyWhileWriting = busyWhileWriting && QApplication::overrideCursor() != nullptr &&
                       QApplication::overrideCursor()->shape() == Qt::WaitCursor;
    return go;
  }

  QStringList labels;
  QString cancelCaption;
  bool busyWhileWriting = true;

 private:
  frmEdit& window_;
  int cancelAt_;
};

TEST(ExportProgress, CancelKeepsTheOldBookByteForByte) {
  EditorHarness h;
  frmEdit& window = h.Window();
  for (int i = 0; i < 3; ++i) {
    h.AddImage(
        SavePicture(SolidPicture(16, 12, qRgb(40 * i, 90, 200)), h.work / ("pics/p" + std::to_string(i) + ".bmp")));
  }
  window.LineField(0)->ShowText(QStringLiteral("Ann Berry"));
  fs::create_directories(fs::path(h.work / "shelf"));
  h.Export(h.work / "shelf/tales.qbb");
  const std::string oldBook = ReadBytes(h.work / "shelf/tales.qbb");
  ASSERT_FALSE(oldBook.empty());

  h.AddImage(h.work / "pics/p0.bmp");
  CancellingExportUi ui(window, 2);
  h.dialogs.ChooseFile(h.work.Q("shelf/tales.qbb"));
  EditorSettings settings = window.Settings();
  const ExportResult result = ExportBook(window.Fields(), window.ImageList(), settings, window.PicLoad(), ui);

  EXPECT_EQ(result.writeStatus, kWriteCancelled);
  EXPECT_EQ(ui.cancelCaption, QStringLiteral("中止"));
  EXPECT_EQ(ui.labels, (QStringList{QStringLiteral("ページ 1 / 4"), QStringLiteral("ページ 2 / 4"),
                                    QStringLiteral("ページ 3 / 4")}));
  EXPECT_TRUE(ui.busyWhileWriting);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the hourglass is gone";
  EXPECT_EQ(window.findChild<QProgressDialog*>(), nullptr) << "the progress window is gone";
  EXPECT_EQ(ReadBytes(h.work / "shelf/tales.qbb"), oldBook);
  std::vector<std::string> shelf;
  for (const auto& entry : fs::directory_iterator(fs::path(h.work / "shelf")))
    shelf.push_back(entry.path().filename().string());
  std::sort(shelf.begin(), shelf.end());
  EXPECT_EQ(shelf, (std::vector<std::string>{"tales.qbb", "tales.qbd"})) << "no temporary file is left";
  EXPECT_TRUE(h.boxes.Calls().empty()) << "a cancel is not reported as a failure";
}

TEST(EditorAccessibility, EveryControlIsNamedAndTabsInReadingOrder) {
  EditorHarness h;
  frmEdit& window = h.Window();
  for (QWidget* child : window.findChildren<QWidget*>()) {
    if (qobject_cast<QAbstractButton*>(child) || qobject_cast<QLineEdit*>(child) ||
        qobject_cast<QPlainTextEdit*>(child) || qobject_cast<QListWidget*>(child) || qobject_cast<PictureBox*>(child)) {
      EXPECT_FALSE(child->accessibleName().isEmpty()) << child->metaObject()->className();
    }
  }
  EXPECT_EQ(window.FLD(3)->accessibleName(), QStringLiteral("価格"));
  EXPECT_EQ(window.FLD(6)->accessibleName(), QStringLiteral("コメント"));
  EXPECT_EQ(window.IBtn(2)->accessibleName(), QStringLiteral("上へ移動"));
  EXPECT_EQ(window.IBtn(2)->text(), QStringLiteral("↑")) << "the caption stays";
  EXPECT_EQ(window.BTN(0)->accessibleName(), QStringLiteral("保存"));

  // Fields top to bottom, the list and its buttons, the comment, the commands.
  std::vector<QWidget*> order;
  for (int i = 0; i < 6; ++i) order.push_back(window.FLD(i));
  order.push_back(window.ILst());
  for (int i = 0; i < 4; ++i) order.push_back(window.IBtn(i));
  order.push_back(window.FLD(6));
  for (int i : {0, 1, 2, frmEdit::kCloseButton}) order.push_back(window.BTN(i));
  std::vector<QWidget*> chain;
  for (QWidget* w = order.front(); chain.size() < order.size(); w = w->nextInFocusChain()) {
    if (w->focusPolicy() & Qt::TabFocus) chain.push_back(w);
  }
  EXPECT_EQ(chain, order);

  VersionWindow version(&window);
  for (QWidget* link : {static_cast<QWidget*>(version.HomePageLabel()), static_cast<QWidget*>(version.MailLabel())}) {
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(link->font().underline()) << "not told by colour alone";
  }
}

}  // namespace
}  // namespace qb::editor
