// The main window offscreen (editor/edit_window.cpp): its fixed layout and
// input limits, the image list's buttons and selection rules, the preview,
// loading a definition file and closing.

#include "editor/edit_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "common/ini_access.h"
#include "common/settings.h"
#include "common/ui/picture_box.h"
#include "editor/definition_file.h"
#include "editor/limited_line_edit.h"
#include "editor_test_support.h"

namespace qb::editor {
namespace {

using test::EditorHarness;
using test::ReadBytes;
using test::SavePicture;
using test::SolidPicture;
using namespace std::string_literals;

const QRgb kGrey = qRgb(192, 192, 192);
const QRgb kRed = qRgb(220, 20, 30);
const QRgb kBlue = qRgb(10, 40, 200);
const QRgb kGreen = qRgb(20, 180, 40);

QStringList Items(const frmEdit& window) {
  QStringList items;
  for (int i = 0; i < window.ILst()->count(); ++i) items << window.ILst()->item(i)->text();
  return items;
}

QRgb ViewPixel(frmEdit& window, int x, int y) { return window.VIEW()->Canvas().pixel(x, y) & 0xFFFFFF; }

TEST(EditWindowLayout, FixedClientAreaAndControlPlaces) {
  EditorHarness h;
  frmEdit& w = h.Window();
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Quillberry -Edit-"));
  EXPECT_EQ(w.minimumSize(), QSize(568, 496));
  EXPECT_EQ(w.maximumSize(), QSize(568, 496));
  EXPECT_FALSE(w.windowIcon().isNull());

  const QRect fields[] = {{96, 8, 153, 18},  {96, 32, 241, 18},  {96, 56, 57, 18},    {280, 56, 57, 18},
                          {96, 80, 241, 18}, {96, 104, 241, 18}, {344, 232, 217, 225}};
  const QPoint labels[] = {{8, 8}, {8, 32}, {8, 56}, {192, 56}, {8, 80}, {8, 104}, {344, 208}};
  const QString captions[] = {"作者", "タイトル", "パスワード", "価格", "ＵＲＬ", "E-MAIL", "コメント"};
  for (int i = 0; i < frmEdit::kFieldCount; ++i) {
    EXPECT_EQ(w.FLD(i)->geometry(), fields[i]) << i;
    EXPECT_EQ(w.LBL(i)->geometry(), QRect(labels[i], QSize(81, 17))) << i;
    EXPECT_EQ(w.LBL(i)->text(), captions[i]) << i;
  }
  EXPECT_EQ(w.FLD(6), w.CommentField());
  EXPECT_EQ(w.ILst()->geometry(), QRect(8, 128, 553, 76));
  EXPECT_EQ(w.ILst()->selectionMode(), QAbstractItemView::SingleSelection);
  EXPECT_FALSE(w.ILst()->isSortingEnabled());

  const int imageLefts[] = {8, 56, 120, 168};
  const QString imageCaptions[] = {"追加", "削除", "↑", "↓"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(w.IBtn(i)->geometry(), QRect(imageLefts[i], 208, 49, 17)) << i;
    EXPECT_EQ(w.IBtn(i)->text(), imageCaptions[i]) << i;
  }
  const std::pair<int, int> commandLefts[] = {{0, 8}, {1, 80}, {2, 424}, {9, 496}};
  const QString commandCaptions[] = {"保存", "読込", "ﾊﾞｰｼﾞｮﾝ", "閉じる"};
  for (int i = 0; i < 4; ++i) {
    const auto [index, left] = commandLefts[i];
    EXPECT_EQ(w.BTN(index)->geometry(), QRect(left, 464, 65, 25)) << index;
    EXPECT_EQ(w.BTN(index)->text(), commandCaptions[i]) << index;
  }
  for (int missing = 3; missing < 9; ++missing) EXPECT_EQ(w.BTN(missing), nullptr) << missing;

  EXPECT_EQ(w.VIEW()->geometry(), QRect(8, 232, 329, 225));
  EXPECT_EQ(w.VIEW()->InnerSize(), QSize(325, 221));
  EXPECT_EQ(ViewPixel(w, 0, 0), kGrey & 0xFFFFFF);
  EXPECT_EQ(ViewPixel(w, 324, 220), kGrey & 0xFFFFFF);
}

// The controls go by their design names at run time, as an inspector or
// findChild sees them.
TEST(EditWindowLayout, ControlsCarryTheirDesignNames) {
  EditorHarness h;
  const frmEdit& w = h.Window();
  EXPECT_EQ(w.objectName(), QStringLiteral("frmEdit"));
  for (int i = 0; i < frmEdit::kFieldCount; ++i) {
    EXPECT_EQ(w.findChild<QWidget*>(QStringLiteral("FLD(%1)").arg(i)), w.FLD(i)) << i;
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("LBL(%1)").arg(i)), w.LBL(i)) << i;
  }
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(w.findChild<QPushButton*>(QStringLiteral("IBtn(%1)").arg(i)), w.IBtn(i)) << i;
  }
  for (const int i : {0, 1, 2, frmEdit::kCloseButton}) {
    EXPECT_EQ(w.findChild<QPushButton*>(QStringLiteral("BTN(%1)").arg(i)), w.BTN(i)) << i;
  }
  EXPECT_EQ(w.findChild<QListWidget*>(QStringLiteral("ILst")), w.ILst());
  EXPECT_EQ(w.findChild<PictureBox*>(QStringLiteral("VIEW")), w.VIEW());
}

TEST(EditWindowFields, TypingStopsAtTheLimits) {
  EditorHarness h;
  frmEdit& w = h.Window();
  const int limits[] = {24, 56, 8, 4};
  for (int i = 0; i < 4; ++i) {
    QTest::keyClicks(w.LineField(i), QString(70, QLatin1Char('a')));
    EXPECT_EQ(w.LineField(i)->text().size(), limits[i]) << i;
  }
  QTest::keyClicks(w.LineField(4), QString(300, QLatin1Char('u')));
  EXPECT_EQ(w.LineField(4)->text().size(), 300);

  // A paste keeps what fits, from its start.
  w.LineField(2)->clear();
  QTest::keyClicks(w.LineField(2), QStringLiteral("ab"));
  w.LineField(2)->insert(QStringLiteral("0123456789"));
  EXPECT_EQ(w.LineField(2)->text(), QStringLiteral("ab012345"));
}

TEST(EditWindowFields, ProgramSetTextIsShownWholeButTypingCannotGrowIt) {
  EditorHarness h;
  frmEdit& w = h.Window();
  LimitedLineEdit* price = w.LineField(3);
  price->ShowText(QStringLiteral("2147483647"));
  EXPECT_EQ(price->text(), QStringLiteral("2147483647"));
  QTest::keyClicks(price, QStringLiteral("9"));
  EXPECT_EQ(price->text(), QStringLiteral("2147483647"));
  QTest::keyClick(price, Qt::Key_Backspace);
  EXPECT_EQ(price->text(), QStringLiteral("214748364"));
  price->selectAll();
  QTest::keyClicks(price, QStringLiteral("123456"));
  EXPECT_EQ(price->text(), QStringLiteral("1234"));
}

class EditWindowList : public ::testing::Test {
 protected:
  std::u16string Picture(const std::string& name, const QImage& image) { return SavePicture(image, h_.work / name); }

  EditorHarness h_;
  frmEdit& w_ = h_.Window();
  std::u16string a_ = Picture("a.bmp", SolidPicture(100, 50, kRed));
  std::u16string b_ = Picture("b.bmp", SolidPicture(60, 40, kBlue));
  std::u16string c_ = Picture("c.bmp", SolidPicture(60, 40, kGreen));
};

TEST_F(EditWindowList, AddAsksForAPictureAndSelectsTheNewItem) {
  h_.AddImage(a_);
  h_.AddImage(a_);
  EXPECT_EQ(Items(w_), QStringList({h_.work.Q("a.bmp"), h_.work.Q("a.bmp")}));
  EXPECT_EQ(w_.SelectedIndex(), 1);
  EXPECT_EQ(ViewPixel(w_, 112, 85), kRed & 0xFFFFFF);

  const auto& request = h_.dialogs.FileRequests().back();
  EXPECT_EQ(request.kind, FileDialogKind::Open);
  EXPECT_EQ(request.owner, &w_);
  EXPECT_EQ(request.title, QStringLiteral("画像選択"));
  EXPECT_EQ(request.initialFolder, QString());
  EXPECT_EQ(request.nameFilters,
            QStringList({"画像ファイル (*.bmp *.gif *.ico *.jpg *.jpeg *.png *.wmf *.webp *.tif *.tiff *.avif)",
                         "すべてのファイル (*)"}));
  EXPECT_EQ(request.flags, 0x1004u);

  h_.dialogs.CancelFile();
  w_.IBtn_Click(0);
  EXPECT_EQ(w_.ILst()->count(), 2);
  EXPECT_EQ(w_.SelectedIndex(), 1);
}

TEST(EditWindowAdd, GifOptionZeroLeavesGifOut) {
  EditorHarness h;
  ASSERT_NE(PutIniString(u"Options", u"GIF", u"0", h.SettingsPath()), 0);
  h.dialogs.CancelFile();
  h.Window().IBtn_Click(0);
  ASSERT_EQ(h.dialogs.FileRequests().size(), 1u);
  EXPECT_EQ(h.dialogs.FileRequests()[0].nameFilters,
            QStringList({"画像ファイル (*.bmp *.ico *.jpg *.jpeg *.png *.wmf *.webp *.tif *.tiff *.avif)",
                         "すべてのファイル (*)"}));
}

TEST_F(EditWindowList, DeleteAsksTheExactQuestionAndNoKeepsTheItem) {
  h_.AddImage(a_);
  h_.boxes.Answer(MessageResult::No);
  w_.IBtn_Click(1);
  ASSERT_EQ(h_.boxes.Calls().size(), 1u);
  const auto& call = h_.boxes.Calls()[0];
  EXPECT_EQ(call.text, h_.work.Q("a.bmp") + QStringLiteral("を\r\n　削除しますか？"));
  EXPECT_EQ(call.title, QStringLiteral("削除確認"));
  EXPECT_EQ(call.buttons, MessageButtons::YesNo);
  EXPECT_EQ(call.icon, MessageIcon::Question);
  EXPECT_EQ(w_.ILst()->count(), 1);
  EXPECT_EQ(w_.SelectedIndex(), 0);
}

TEST_F(EditWindowList, DeletingTheOnlyItemLeavesTheOldPreview) {
  h_.AddImage(a_);
  const QImage before = w_.VIEW()->Canvas().copy();
  h_.boxes.Answer(MessageResult::Yes);
  w_.IBtn_Click(1);
  EXPECT_EQ(w_.ILst()->count(), 0);
  EXPECT_EQ(w_.SelectedIndex(), -1);
  EXPECT_EQ(w_.VIEW()->Canvas(), before);
}

TEST_F(EditWindowList, DeleteSelectsAndPreviewsTheFirstRemainingItem) {
  h_.AddImage(a_);
  h_.AddImage(b_);
  h_.AddImage(c_);
  w_.ILst()->setCurrentRow(1);
  h_.boxes.Answer(MessageResult::Yes);
  w_.IBtn_Click(1);
  EXPECT_EQ(Items(w_), QStringList({h_.work.Q("a.bmp"), h_.work.Q("c.bmp")}));
  EXPECT_EQ(w_.SelectedIndex(), 0);
  EXPECT_EQ(ViewPixel(w_, 112, 85), kRed & 0xFFFFFF);
}

TEST_F(EditWindowList, WithoutSelectionDeleteAndMoveDoNothing) {
  h_.AddImage(a_);
  h_.AddImage(b_);
  w_.ILst()->setCurrentRow(-1);
  ASSERT_EQ(w_.SelectedIndex(), -1);
  for (int button = 1; button <= 3; ++button) w_.IBtn_Click(button);
  EXPECT_TRUE(h_.boxes.Calls().empty());
  EXPECT_EQ(Items(w_), QStringList({h_.work.Q("a.bmp"), h_.work.Q("b.bmp")}));
}

TEST_F(EditWindowList, MoveUpDropsTheSelectionAndKeepsThePreview) {
  h_.AddImage(a_);
  h_.AddImage(b_);
  h_.AddImage(c_);
  w_.ILst()->setCurrentRow(1);  // b, previewed
  const QImage shown = w_.VIEW()->Canvas().copy();
  w_.IBtn_Click(2);
  EXPECT_EQ(Items(w_), QStringList({h_.work.Q("b.bmp"), h_.work.Q("a.bmp"), h_.work.Q("c.bmp")}));
  EXPECT_EQ(w_.SelectedIndex(), -1);
  EXPECT_EQ(w_.VIEW()->Canvas(), shown);
  w_.IBtn_Click(2);
  EXPECT_EQ(Items(w_), QStringList({h_.work.Q("b.bmp"), h_.work.Q("a.bmp"), h_.work.Q("c.bmp")}));
}

TEST_F(EditWindowList, MovesPastTheEndsChangeNothing) {
  h_.AddImage(a_);
  h_.AddImage(b_);
  h_.AddImage(c_);
  const QStringList order = Items(w_);
  w_.ILst()->setCurrentRow(2);
  w_.IBtn_Click(3);
  EXPECT_EQ(Items(w_), order);
  EXPECT_EQ(w_.SelectedIndex(), 2);
  w_.ILst()->setCurrentRow(0);
  w_.IBtn_Click(2);
  EXPECT_EQ(Items(w_), order);
  EXPECT_EQ(w_.SelectedIndex(), 0);
  w_.IBtn_Click(3);
  EXPECT_EQ(Items(w_), QStringList({h_.work.Q("b.bmp"), h_.work.Q("a.bmp"), h_.work.Q("c.bmp")}));
}

class EditWindowPreview : public EditWindowList {
 protected:
  // Shows picture as the only list item, selected as by a click.
  void Preview(const std::u16string& path) {
    w_.ILst()->clear();
    w_.ILst()->addItem(QString::fromStdU16String(path));
    w_.ILst()->setCurrentRow(0);
  }
};

TEST_F(EditWindowPreview, SmallPictureAtNaturalSizeInTheMiddle) {
  Preview(a_);  // 100 x 50
  EXPECT_EQ(ViewPixel(w_, 112, 85), kRed & 0xFFFFFF);
  EXPECT_EQ(ViewPixel(w_, 211, 134), kRed & 0xFFFFFF);
  EXPECT_EQ(ViewPixel(w_, 111, 85), kGrey & 0xFFFFFF);
  EXPECT_EQ(ViewPixel(w_, 212, 134), kGrey & 0xFFFFFF);
  EXPECT_EQ(ViewPixel(w_, 112, 84), kGrey & 0xFFFFFF);
  EXPECT_EQ(ViewPixel(w_, 112, 135), kGrey & 0xFFFFFF);
}

TEST_F(EditWindowPreview, WidePictureFillsTheWidthAndIsCutAtTopAndBottom) {
  // 400 x 300 with 40-row bands at top (blue) and bottom (green): drawn
  // 325 x 243 at (0, -11), so the bands end at y = 21 and start at y = 200.
  QImage picture = SolidPicture(400, 300, kRed);
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 400; ++x) {
      picture.setPixel(x, y, kBlue);
      picture.setPixel(x, 299 - y, kGreen);
    }
  }
  Preview(Picture("wide.bmp", picture));
  EXPECT_EQ(ViewPixel(w_, 0, 0), kBlue & 0xFFFFFF);
  EXPECT_EQ(ViewPixel(w_, 324, 20), kBlue & 0xFFFFFF);
  EXPECT_EQ(ViewPixel(w_, 160, 23), kRed & 0xFFFFFF);
  EXPECT_EQ(ViewPixel(w_, 160, 198), kRed & 0xFFFFFF);
  EXPECT_EQ(ViewPixel(w_, 160, 201), kGreen & 0xFFFFFF);
  EXPECT_EQ(ViewPixel(w_, 0, 220), kGreen & 0xFFFFFF);
}

TEST_F(EditWindowPreview, TallPictureFillsTheHeightCentred) {
  // 300 x 400 with 40-column bands left (blue) and right (green): drawn
  // 165 x 221 at (80, 0).
  QImage picture = SolidPicture(300, 400, kRed);
  for (int y = 0; y < 400; ++y) {
    for (int x = 0; x < 40; ++x) {
      picture.setPixel(x, y, kBlue);
      picture.setPixel(299 - x, y, kGreen);
    }
  }
  Preview(Picture("tall.bmp", picture));
  EXPECT_EQ(ViewPixel(w_, 79, 100), kGrey & 0xFFFFFF);
  EXPECT_EQ(ViewPixel(w_, 80, 0), kBlue & 0xFFFFFF);
  EXPECT_EQ(ViewPixel(w_, 101, 220), kBlue & 0xFFFFFF);
  EXPECT_EQ(ViewPixel(w_, 104, 100), kRed & 0xFFFFFF);
  EXPECT_EQ(ViewPixel(w_, 222, 100), kRed & 0xFFFFFF);
  EXPECT_EQ(ViewPixel(w_, 225, 100), kGreen & 0xFFFFFF);
  EXPECT_EQ(ViewPixel(w_, 244, 100), kGreen & 0xFFFFFF);
  EXPECT_EQ(ViewPixel(w_, 245, 100), kGrey & 0xFFFFFF);
}

TEST_F(EditWindowPreview, ShrunkPictureKeepsItsThinDarkLines) {
  // Checkers of F0F0F0 and 8F8F8F at exactly twice the 325 x 221 view: each
  // 2 x 2 block ANDs to 808080.
  QImage checker(650, 442, QImage::Format_RGB32);
  for (int y = 0; y < 442; ++y) {
    for (int x = 0; x < 650; ++x) checker.setPixel(x, y, (x + y) % 2 ? qRgb(0x8F, 0x8F, 0x8F) : qRgb(0xF0, 0xF0, 0xF0));
  }
  Preview(Picture("checker.bmp", checker));
  for (int y = 0; y < 221; ++y) {
    for (int x = 0; x < 325; ++x) ASSERT_EQ(ViewPixel(w_, x, y), 0x808080u) << x << "," << y;
  }
  // 1000 x 500, white with a black line in every tenth column: fitted to
  // 325 x 162, where all 100 lines stay visible.
  QImage grid = SolidPicture(1000, 500, qRgb(255, 255, 255));
  for (int y = 0; y < 500; ++y) {
    for (int x = 0; x < 1000; x += 10) grid.setPixel(x, y, qRgb(0, 0, 0));
  }
  Preview(Picture("grid.bmp", grid));
  int lines = 0;
  for (int x = 0; x < 325; ++x) lines += ViewPixel(w_, x, 110) == 0;
  EXPECT_EQ(lines, 100);
}

TEST_F(EditWindowPreview, PngIsPreviewedLikeTheOthers) {
  Preview(a_);
  const std::u16string png = h_.work / "blue.PNG";
  ASSERT_TRUE(SolidPicture(100, 50, kBlue).save(QString::fromStdU16String(png), "PNG"));
  Preview(png);
  EXPECT_EQ(ViewPixel(w_, 112, 85), kBlue & 0xFFFFFF);
  EXPECT_EQ(ViewPixel(w_, 111, 85), kGrey & 0xFFFFFF);
}

TEST_F(EditWindowPreview, UnloadablePictureRedrawsThePreviousOne) {
  Preview(a_);
  w_.VIEW()->Canvas().fill(Qt::black);
  Preview(h_.work / "missing.bmp");
  EXPECT_EQ(ViewPixel(w_, 112, 85), kRed & 0xFFFFFF);
  EXPECT_EQ(ViewPixel(w_, 0, 0), kGrey & 0xFFFFFF);
}

TEST_F(EditWindowList, ShowDefinitionFillsFieldsAndListWithoutSelecting) {
  BookRecord book;
  book.Author = u"  作者" + std::u16string(18, u' ');
  book.Title = u"題名" + std::u16string(52, u' ');
  book.Password = u"secret  ";
  book.Price = -250;
  book.PageCount = 2;
  book.Url = u"http://u/";
  book.Mail = u"m@u";
  book.Comment = u"one\r\ntwo";
  EditorSettings scratch = LoadEditorSettings(h_.work.text());
  ASSERT_TRUE(SaveDefinitionFile(h_.work / "def.qbd", book, {b_, c_}, scratch));
  h_.AddImage(a_);
  const QImage shown = w_.VIEW()->Canvas().copy();

  w_.ShowDefinition(h_.work / "def.qbd");
  EXPECT_EQ(Items(w_), QStringList({h_.work.Q("b.bmp"), h_.work.Q("c.bmp")}));
  EXPECT_EQ(w_.SelectedIndex(), -1);
  EXPECT_EQ(w_.VIEW()->Canvas(), shown);
  const EditorFields expected{u"作者", u"題名", u"secret", u"-250", u"http://u/", u"m@u", u"one\ntwo"};
  EXPECT_EQ(w_.Fields(), expected);
}

TEST(EditWindowLoad, LoadButtonStartsInTheRememberedFolderAndRemembersTheNewOne) {
  EditorHarness h;
  ASSERT_NE(PutIniString(u"System", u"LastFolder", u"/nowhere/books", h.SettingsPath()), 0);
  std::filesystem::create_directories(h.work.path() / "sub");
  EditorSettings scratch = LoadEditorSettings(h.work.text());
  BookRecord book;
  book.PageCount = 1;
  ASSERT_TRUE(SaveDefinitionFile(h.work / "sub/def.qbd", book, {u"/p/one.bmp"}, scratch));

  h.dialogs.CancelFile();
  h.Window().BTN_Click(1);
  EXPECT_EQ(h.Window().ILst()->count(), 0);
  h.dialogs.ChooseFile(h.work.Q("sub/def.qbd"));
  h.Window().BTN_Click(1);
  ASSERT_EQ(h.dialogs.FileRequests().size(), 2u);
  const auto& request = h.dialogs.FileRequests()[1];
  EXPECT_EQ(request.title, QStringLiteral("ｸｲﾙﾍﾞﾘｰ定義ﾌｧｲﾙ選択"));
  EXPECT_EQ(request.initialFolder, QStringLiteral("/nowhere/books"));
  EXPECT_EQ(request.nameFilters, QStringList({"ｸｲﾙﾍﾞﾘｰ定義ﾌｧｲﾙ (*.qbd)"}));
  EXPECT_EQ(request.flags, 0x1004u);
  EXPECT_EQ(h.Window().ILst()->count(), 1);
  EXPECT_EQ(GetIniString(u"System", u"LastFolder", u"", h.SettingsPath()), h.work / "sub");
}

// Anything that is not a definition is refused by name; the work stays.
TEST_F(EditWindowList, LoadingAFileWithoutADefinitionKeepsTheWork) {
  h_.AddImage(a_);
  w_.LineField(0)->setText(QStringLiteral("作者"));
  const std::pair<const char*, std::string> files[] = {{"photo.qbd", "\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\x01\r\n[x"s},
                                                       {"empty.qbd", ""},
                                                       {"other.qbd", "[Other]\r\nk=v\r\n"}};
  for (const auto& [name, bytes] : files) {
    test::WriteBytes(h_.work / name, bytes);
    w_.ShowDefinition(h_.work / name);
    ASSERT_FALSE(h_.boxes.Calls().empty()) << name;
    EXPECT_EQ(h_.boxes.Calls().back().text,
              QStringLiteral("定義ファイルとして読み込めませんでした。\r\n") + h_.work.Q(name));
    EXPECT_EQ(Items(w_), QStringList({h_.work.Q("a.bmp")})) << name;
    EXPECT_EQ(w_.LineField(0)->text(), QStringLiteral("作者")) << name;
  }
  // A section without keys is a definition: its defaults load.
  const std::size_t boxes = h_.boxes.Calls().size();
  test::WriteBytes(h_.work / "bare.qbd", "[image]\r\n");
  w_.ShowDefinition(h_.work / "bare.qbd");
  EXPECT_EQ(h_.boxes.Calls().size(), boxes);
  EXPECT_EQ(w_.ILst()->count(), 0);
  EXPECT_EQ(w_.LineField(0)->text(), QStringLiteral("＊"));
}

// Closing (button or close box) over work that was never saved asks
// 「変更を保存しますか？」: Cancel and a save that does not finish keep the
// window, No closes, Yes saves through the export and then closes.
TEST(EditWindowUnsaved, ClosingAsksAndOnlyASavedOrDroppedChangeCloses) {
  struct Case {
    bool closeBox;
    MessageResult answer;
    bool bookChosen;  // the save dialog's answer after Yes
    bool closes;
  };
  const Case cases[] = {{false, MessageResult::Cancel, false, false},
                        {true, MessageResult::Cancel, false, false},
                        {true, MessageResult::No, false, true},
                        {false, MessageResult::Yes, false, false},
                        {true, MessageResult::Yes, true, true}};
  for (const Case& c : cases) {
    EditorHarness h;
    frmEdit& w = h.Window();
    w.show();
    h.AddImage(SavePicture(SolidPicture(8, 6, kRed), h.work / "p.bmp"));
    w.LineField(0)->setText(QStringLiteral("作者"));
    h.boxes.Answer(c.answer);
    if (c.bookChosen) h.dialogs.ChooseFile(h.work.Q("book"));
    if (c.closeBox) {
      w.close();
    } else {
      w.BTN_Click(frmEdit::kCloseButton);
    }
    ASSERT_EQ(h.boxes.Calls().size(), 1u);
    EXPECT_EQ(h.boxes.Calls()[0].text, QStringLiteral("変更を保存しますか？"));
    EXPECT_EQ(h.boxes.Calls()[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(w.isVisible(), !c.closes) << static_cast<int>(c.answer) << c.bookChosen;
    EXPECT_EQ(test::Exists(h.work / "book.qbb"), c.bookChosen);
  }
}

TEST(EditWindowUnsaved, WorkAsStartedLoadedOrSavedClosesWithoutAsking) {
  EditorHarness h;
  ASSERT_NE(PutIniString(u"UserInfo", u"Name", u"作者", h.SettingsPath()), 0);
  BookRecord book;
  book.PageCount = 1;
  EditorSettings scratch = LoadEditorSettings(h.work.text());
  const std::u16string picture = SavePicture(SolidPicture(8, 6, kRed), h.work / "p.bmp");
  ASSERT_TRUE(SaveDefinitionFile(h.work / "def.qbd", book, {picture}, scratch));
  frmEdit& w = h.Window();
  EXPECT_FALSE(w.HasUnsavedChanges()) << "prefilled at start";
  w.ShowDefinition(h.work / "def.qbd");
  EXPECT_FALSE(w.HasUnsavedChanges()) << "loaded";
  w.LineField(0)->setText(QStringLiteral("作者"));
  w.CommentField()->setPlainText(QStringLiteral("a\nb"));
  EXPECT_TRUE(w.HasUnsavedChanges());
  h.Export(h.work / "book");
  EXPECT_FALSE(w.HasUnsavedChanges()) << "saved";
  w.show();
  w.BTN_Click(frmEdit::kCloseButton);
  EXPECT_FALSE(w.isVisible());
  EXPECT_TRUE(h.boxes.Calls().empty());
}

// 読込 over unsaved work asks before the dialog: Cancel keeps everything.
TEST(EditWindowUnsaved, LoadingOverChangesAsksFirst) {
  EditorHarness h;
  BookRecord book;
  book.PageCount = 1;
  EditorSettings scratch = LoadEditorSettings(h.work.text());
  ASSERT_TRUE(SaveDefinitionFile(h.work / "def.qbd", book, {u"/p/loaded.bmp"}, scratch));
  h.AddImage(SavePicture(SolidPicture(8, 6, kRed), h.work / "p.bmp"));
  frmEdit& w = h.Window();
  const std::size_t requests = h.dialogs.FileRequests().size();
  h.boxes.Answer(MessageResult::Cancel);
  w.BTN_Click(1);
  EXPECT_EQ(h.dialogs.FileRequests().size(), requests);
  EXPECT_EQ(Items(w), QStringList({h.work.Q("p.bmp")}));

  h.boxes.Answer(MessageResult::No);
  h.dialogs.ChooseFile(h.work.Q("def.qbd"));
  w.BTN_Click(1);
  EXPECT_EQ(Items(w), QStringList({"/p/loaded.bmp"}));
  ASSERT_EQ(h.boxes.Calls().size(), 2u);
  EXPECT_EQ(h.boxes.Calls()[1].text, QStringLiteral("変更を保存しますか？"));
}

}  // namespace
}  // namespace qb::editor
