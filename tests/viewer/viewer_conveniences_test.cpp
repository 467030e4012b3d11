// The reader's keys, the mouse wheel and dropped books: the rules behind
// them, and the window taking the same steps as its buttons and scroll bar,
// locked book included. Also the accessible names of the Viewer's windows.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>
#include <QToolButton>
#include <QUrl>
#include <QWheelEvent>
#include <filesystem>
#include <fstream>
#include <map>

#include "common/ini_access.h"
#include "common/ui/clickable_label.h"
#include "common/ui/dropped_files.h"
#include "common/ui/picture_box.h"
#include "support/file_type_recording_store.h"
#include "support/scripted_dialog_backend.h"
#include "support/scripted_message_boxes.h"
#include "support/simulated_drop.h"
#include "viewer/info_window.h"
#include "viewer/page_key_events.h"
#include "viewer/password_window.h"
#include "viewer/view_window.h"
#include "viewer_test_support.h"

namespace qb::test {
namespace {

using viewer::frmView;
using viewer::PageKeyAction;
namespace fs = std::filesystem;

TEST(DroppedFiles, LocalFilesInOrderAndTheFirstOfAType) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QStringLiteral("/books/notes.txt")),
                QUrl(QStringLiteral("https://x.example/a.qbb")),
                QUrl::fromLocalFile(QStringLiteral("/books/Tales.QBB")),
                QUrl::fromLocalFile(QStringLiteral("/books/more.qbb"))});
  const std::vector<std::u16string> files = DroppedLocalFiles(&data);
  EXPECT_EQ(files, (std::vector<std::u16string>{u"/books/notes.txt", u"/books/Tales.QBB", u"/books/more.qbb"}));
  EXPECT_EQ(FirstWithExtension(files, u".qbb"), u"/books/Tales.QBB");
  EXPECT_EQ(FirstWithExtension(files, u".qbd"), u"");
  EXPECT_FALSE(HasExtension(u"qbb", u".qbb"));
  EXPECT_FALSE(HasExtension(u"/books/a.qbbx", u".qbb"));

  QMimeData text;
  text.setText(QStringLiteral("/books/plain.qbb"));
  EXPECT_TRUE(DroppedLocalFiles(&text).empty()) << "text is not a file";
  EXPECT_TRUE(DroppedLocalFiles(nullptr).empty());
}

class ViewerConveniences : public ViewerWindowTest {
 protected:
  fs::path ProtectedBook() {
    TestBookContents contents;
    contents.title = u"Locked Tales";
    contents.password = u"Secret";
    contents.pages = ColouredPages(3);
    return Book("locked.qbb", contents);
  }
  // The wheel turned over the page.
  void Wheel(int angleDelta) { ViewerWindowTest::Wheel(view->VIEW(), angleDelta); }
  // Drops files on the window; true when it took them. The opening itself
  // waits for the event loop, which has run when this returns.
  bool Drop(const std::vector<fs::path>& files) {
    std::vector<std::u16string> paths;
    for (const fs::path& file : files) paths.push_back(U16(file));
    return SimulateFileDrop(view.get(), paths).dropped;
  }
  int Page() const { return view->CurrentPage(); }
};

TEST_F(ViewerConveniences, PageKeysStepLikePrevAndNextWhereverTheFocusIs) {
  Open(PlainBook());
  QWidget* window = view.get();
  Press(window, Qt::Key_Right);
  EXPECT_EQ(Page(), 2);
  Press(window, Qt::Key_PageDown);
  EXPECT_EQ(Page(), 3);
  // Space turns the page wherever no button has the focus.
  Press(view->PageScroll(), Qt::Key_Space);
  EXPECT_EQ(Page(), 4);
  Press(view->VIEW(), Qt::Key_Space);
  EXPECT_EQ(Page(), 5);
  EXPECT_EQ(view->PageScroll()->value(), 5);
  EXPECT_EQ(Centre(), PageColour(5));

  // The scroll bar's own arrow handling is not a second way of paging.
  Press(view->PageScroll(), Qt::Key_Left);
  EXPECT_EQ(Page(), 4);
  Press(view->VIEW(), Qt::Key_Backspace);
  Press(window, Qt::Key_PageUp);
  EXPECT_EQ(Page(), 2);
  EXPECT_EQ(Centre(), PageColour(2));

  Press(window, Qt::Key_End);
  EXPECT_EQ(view->PageScroll()->value(), 7);
  EXPECT_EQ(Page(), 7);
  EXPECT_EQ(Centre(), PageColour(7));
  Press(window, Qt::Key_Right);
  EXPECT_EQ(Page(), 7) << "no wrap-around";
  Press(view->PageScroll(), Qt::Key_Home);
  EXPECT_EQ(Page(), 1);
  EXPECT_EQ(Centre(), PageColour(1));
  Press(window, Qt::Key_Left);
  EXPECT_EQ(Page(), 1);
  EXPECT_EQ(view->PageScroll()->value(), 1);
}

// Qt reports a keypad key as the main key with the keypad modifier.
TEST_F(ViewerConveniences, KeypadKeysTurnPagesLikeTheMainOnes) {
  Open(PlainBook());
  QWidget* window = view.get();
  Press(window, Qt::Key_Right, Qt::KeypadModifier);
  EXPECT_EQ(Page(), 2);
  Press(view->PageScroll(), Qt::Key_End, Qt::KeypadModifier);
  EXPECT_EQ(Page(), 7);
  Press(view->VIEW(), Qt::Key_Left, Qt::KeypadModifier);
  EXPECT_EQ(Page(), 6);
  Press(window, Qt::Key_Home, Qt::KeypadModifier);
  EXPECT_EQ(Page(), 1);
  EXPECT_EQ(Centre(), PageColour(1));
}

TEST_F(ViewerConveniences, FocusedButtonTakesSpaceAndReturnAsAnyPushButton) {
  Open(PlainBook());
  Tap(view->BTN(frmView::kPrev), Qt::Key_Space);
  EXPECT_EQ(Page(), 1) << "PREV pressed on page 1, not NEXT";
  Tap(view->BTN(frmView::kNext), Qt::Key_Space);
  Tap(view->BTN(frmView::kNext), Qt::Key_Return);
  Tap(view->BTN(frmView::kNext), Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(Page(), 4);
  Tap(view->BTN(frmView::kPrev), Qt::Key_Return);
  EXPECT_EQ(Page(), 3);
  EXPECT_EQ(Centre(), PageColour(3));

  Tap(view->BTN(frmView::kInfo), Qt::Key_Space);
  Tap(view->BTN(frmView::kInfo), Qt::Key_Return);
  EXPECT_EQ(modals.infoBooks.size(), 2u);
  dialogs.ChooseFile(QString::fromStdU16String(U16(PlainBook("second.qbb", 2))));
  Tap(view->BTN(frmView::kOpen), Qt::Key_Return);
  Tap(view->BTN(frmView::kOpen), Qt::Key_Space);
  EXPECT_EQ(dialogs.FileRequests().size(), 3u) << "the book opened first, then each key once";
  EXPECT_EQ(view->BookPath(), U16(dir / "second.qbb"));
  EXPECT_EQ(Page(), 1);
}

// With a book shown the page has the focus: the first Space turns the page
// rather than pressing OPEN, and the arrows turn pages wherever the focus is
// instead of moving it.
TEST_F(ViewerConveniences, BookShownTheFocusIsOnThePage) {
  view->Form_Load({U16(PlainBook())});
  QApplication::setActiveWindow(view.get());
  ASSERT_EQ(QApplication::focusWidget(), view->VIEW());
  Tap(view->VIEW(), Qt::Key_Space);
  EXPECT_EQ(Page(), 2);
  EXPECT_TRUE(dialogs.FileRequests().empty());

  for (QWidget* focused : {static_cast<QWidget*>(view->BTN(frmView::kOpen)), static_cast<QWidget*>(view->PageScroll()),
                           static_cast<QWidget*>(view->VIEW()), static_cast<QWidget*>(view->BTN(frmView::kInfo))}) {
    SCOPED_TRACE(focused->objectName().toStdString());
    focused->setFocus(Qt::TabFocusReason);
    Tap(focused, Qt::Key_Down);
    EXPECT_EQ(Page(), 3);
    Tap(focused, Qt::Key_Up);
    EXPECT_EQ(Page(), 2);
    EXPECT_EQ(QApplication::focusWidget(), focused);
  }

  // Opened by its button, the next book has the page focused too.
  view->BTN(frmView::kOpen)->setFocus(Qt::MouseFocusReason);
  Open(PlainBook("second.qbb", 2));
  EXPECT_EQ(QApplication::focusWidget(), view->VIEW());
}

TEST_F(ViewerConveniences, EachButtonsTooltipNamesItsKeys) {
  const std::pair<int, std::vector<int>> buttons[] = {
      {frmView::kOpen, {Qt::Key_O}},
      {frmView::kPrev, {Qt::Key_Left, Qt::Key_Up, Qt::Key_PageUp, Qt::Key_Backspace}},
      {frmView::kNext, {Qt::Key_Right, Qt::Key_Down, Qt::Key_PageDown, Qt::Key_Space}},
      {frmView::kInfo, {Qt::Key_I}},
  };
  const std::map<int, QString> names = {{Qt::Key_O, "Ctrl+O"},
                                        {Qt::Key_I, "Ctrl+I"},
                                        {Qt::Key_Left, "←"},
                                        {Qt::Key_Right, "→"},
                                        {Qt::Key_Up, "↑"},
                                        {Qt::Key_Down, "↓"},
                                        {Qt::Key_PageUp, "Page Up"},
                                        {Qt::Key_PageDown, "Page Down"},
                                        {Qt::Key_Backspace, "Backspace"},
                                        {Qt::Key_Space, "Space"}};
  const PageKeyAction actions[] = {PageKeyAction::Open, PageKeyAction::Previous, PageKeyAction::Next,
                                   PageKeyAction::Info};
  for (const auto& [index, keys] : buttons) {
    const QString tip = view->BTN(index)->toolTip();
    for (const int key : keys) {
      const Qt::KeyboardModifiers modifiers = names.at(key).startsWith("Ctrl") ? Qt::ControlModifier : Qt::NoModifier;
      EXPECT_EQ(viewer::PageKeyFor(QKeyEvent(QEvent::KeyPress, key, modifiers)), actions[index])
          << tip.toStdString() << " names a key of another action";
      EXPECT_TRUE(tip.contains(names.at(key))) << tip.toStdString() << " lacks " << names.at(key).toStdString();
    }
  }
}

TEST_F(ViewerConveniences, WheelOverTheViewTurnsOnePagePerNotch) {
  Open(PlainBook());
  Wheel(-120);
  EXPECT_EQ(Page(), 2);
  EXPECT_EQ(Centre(), PageColour(2));
  Wheel(-240);
  EXPECT_EQ(Page(), 4);
  Wheel(-40);
  Wheel(-40);
  EXPECT_EQ(Page(), 4) << "two thirds of a notch";
  Wheel(-40);
  EXPECT_EQ(Page(), 5);
  Wheel(120);
  EXPECT_EQ(Page(), 4);
  EXPECT_EQ(view->PageScroll()->value(), 4);
  Wheel(-1200);
  EXPECT_EQ(Page(), 7) << "stops at the last page";
}

TEST_F(ViewerConveniences, LockedBookIgnoresKeysAndWheel) {
  modals.Type({});  // the prompt is cancelled
  Open(ProtectedBook());
  ASSERT_EQ(view->PassCheckFlag(), viewer::kLocked);
  const QImage firstPage = view->VIEW()->Canvas().copy();
  for (const int key : {Qt::Key_Right, Qt::Key_Space, Qt::Key_PageDown, Qt::Key_End, Qt::Key_Home}) {
    Press(view.get(), key);
    Press(view->BTN(frmView::kOpen), key);
  }
  Wheel(-120);
  Wheel(-360);
  EXPECT_EQ(Page(), 1);
  EXPECT_EQ(view->PageScroll()->value(), 1);
  EXPECT_EQ(view->VIEW()->Canvas(), firstPage);

  // Once the password is given, the same keys move.
  modals.Type({QStringLiteral("Secret")});
  Open(ProtectedBook());
  ASSERT_NE(view->PassCheckFlag(), viewer::kLocked);
  Press(view.get(), Qt::Key_End);
  EXPECT_EQ(Page(), 3);
}

TEST_F(ViewerConveniences, NoBookMeansKeysAndWheelDoNothing) {
  const QImage empty = view->VIEW()->Canvas().copy();
  Press(view.get(), Qt::Key_End);
  Press(view.get(), Qt::Key_Right);
  Wheel(-120);
  EXPECT_EQ(Page(), 1);
  EXPECT_EQ(view->PageScroll()->value(), 1);
  EXPECT_EQ(view->VIEW()->Canvas(), empty);
}

TEST_F(ViewerConveniences, CtrlOOpensAndCtrlIShowsInformation) {
  const fs::path book = PlainBook();
  dialogs.ChooseFile(QString::fromStdU16String(U16(book)));
  Press(view->BTN(frmView::kNext), Qt::Key_O, Qt::ControlModifier);
  ASSERT_EQ(dialogs.FileRequests().size(), 1u);
  EXPECT_EQ(view->windowTitle(), QStringLiteral("Quillberry:[Plain Tales/Ann Berry]"));

  Press(view.get(), Qt::Key_I, Qt::ControlModifier);
  ASSERT_EQ(modals.infoBooks.size(), 1u);
  EXPECT_EQ(modals.infoBooks.front().Title, view->Book().Title);
  EXPECT_EQ(modals.infoOwners.front(), view.get());
}

TEST_F(ViewerConveniences, DroppedBookOpensAsIfChosenInTheDialog) {
  fs::create_directories(dir / "shelf");
  TestBookContents contents;
  contents.title = u"Dropped Tales";
  contents.pages = ColouredPages(4);
  WriteTestBook(dir / "shelf" / "dropped.QBB", contents);
  std::ofstream(dir / "shelf" / "notes.txt") << "not a book";

  EXPECT_TRUE(Drop({dir / "shelf" / "notes.txt", dir / "shelf" / "dropped.QBB", PlainBook()}));
  EXPECT_EQ(view->windowTitle(), QStringLiteral("Quillberry:[Dropped Tales/Ann Berry]"));
  EXPECT_EQ(view->BookPath(), U16(dir / "shelf" / "dropped.QBB"));
  EXPECT_EQ(Centre(), PageColour(1));
  EXPECT_NE(view->PassCheckFlag(), viewer::kLocked) << "the password gate ran";
  EXPECT_EQ(view->Settings().lastFolder, U16(dir / "shelf"));
  EXPECT_EQ(GetIniString(u"System", u"LastFolder", u"", settings.settingsPath), U16(dir / "shelf"));
  EXPECT_TRUE(dialogs.FileRequests().empty());
  Press(view.get(), Qt::Key_End);
  EXPECT_EQ(Page(), 4);
}

TEST_F(ViewerConveniences, DroppedProtectedBookAsksForThePassword) {
  modals.Type({});
  EXPECT_TRUE(Drop({ProtectedBook()}));
  ASSERT_EQ(modals.prompts.size(), 1u);
  EXPECT_EQ(modals.prompts.front().checkPass, QStringLiteral("Secret"));
  EXPECT_EQ(view->PassCheckFlag(), viewer::kLocked);
  EXPECT_FALSE(view->PageScroll()->isEnabled());
}

TEST_F(ViewerConveniences, DropsWithoutABookAreRefused) {
  std::ofstream(dir / "notes.txt") << "not a book";
  EXPECT_FALSE(Drop({dir / "notes.txt"}));
  EXPECT_FALSE(Drop({}));
  EXPECT_EQ(view->windowTitle(), QStringLiteral("Quillberry"));
  EXPECT_TRUE(view->BookPath().empty());
  EXPECT_EQ(GetIniString(u"System", u"LastFolder", u"-", settings.settingsPath), u"-") << "nothing saved";

  // A damaged book is opened and reported like one chosen in the dialog.
  std::ofstream(dir / "broken.qbb") << "not a book either";
  EXPECT_TRUE(Drop({dir / "broken.qbb"}));
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(view->windowTitle(), QStringLiteral("Quillberry"));
}

// Every control a user reaches has a name a screen reader can say.
void ExpectNamedControls(const QWidget& window) {
  int controls = 0;
  for (QWidget* child : window.findChildren<QWidget*>()) {
    if (qobject_cast<QAbstractButton*>(child) || qobject_cast<QAbstractSlider*>(child) ||
        qobject_cast<QLineEdit*>(child) || qobject_cast<PictureBox*>(child)) {
      ++controls;
      EXPECT_FALSE(child->accessibleName().isEmpty()) << child->metaObject()->className();
    }
  }
  EXPECT_GT(controls, 0);
}

TEST_F(ViewerConveniences, EveryControlHasAnAccessibleName) {
  ExpectNamedControls(*view);
  EXPECT_EQ(view->BTN(frmView::kOpen)->accessibleName(), QStringLiteral("OPEN"));
  EXPECT_EQ(view->PageScroll()->accessibleName(), QStringLiteral("ページ"));

  std::int16_t flag = viewer::kLocked;
  viewer::frmPass prompt(flag, view.get());
  ExpectNamedControls(prompt);
  EXPECT_EQ(prompt.FLD->accessibleName(), QStringLiteral("パスワード"));

  viewer::frmInfo info(view.get());
  ExpectNamedControls(info);
  // The clickable addresses say so by more than colour.
  for (const int link : {2, 3}) {
    EXPECT_EQ(info.DSP[link]->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_FALSE(info.DSP[link]->accessibleDescription().isEmpty());
  }
}

}  // namespace
}  // namespace qb::test
