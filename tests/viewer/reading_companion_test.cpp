// The reader's menu in the real window: going on where a book was left
// (across restarts, never while locked), recent books, the page overview,
// spreads and right-to-left order, the slideshow and smooth shrinking.

#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QListWidget>
#include <QMenu>
#include <QScreen>
#include <fstream>

#include "viewer/full_screen_view.h"
#include "viewer/page_overview.h"
#include "viewer/reading_companion.h"
#include "viewer_test_support.h"

namespace qb::test {
namespace {

using viewer::frmView;
using viewer::PageOverview;
using viewer::ReaderOptions;
using viewer::ReadingCompanion;
namespace fs = std::filesystem;

// The menu entry whose text starts with prefix, searched through submenus.
QAction* Entry(QMenu& menu, const char16_t* prefix) {
  for (QAction* action : menu.actions()) {
    if (action->text().startsWith(QString::fromUtf16(prefix))) return action;
    if (action->menu()) {
      if (QAction* inner = Entry(*action->menu(), prefix)) return inner;
    }
  }
  return nullptr;
}

class ReadingCompanionTest : public ViewerWindowTest {
 protected:
  ReadingCompanion& Companion() { return *view->Companion(); }
  // Runs the entry of a freshly built menu; false when it is missing or disabled.
  bool Run(const char16_t* prefix) {
    const auto menu = Companion().BuildMenu();
    QAction* action = Entry(*menu, prefix);
    if (!action || !action->isEnabled()) return false;
    action->trigger();
    return true;
  }
  QString Text(const char16_t* prefix) {
    const auto menu = Companion().BuildMenu();
    QAction* action = Entry(*menu, prefix);
    return action ? action->text() : QString();
  }
  void Restart() {
    view.reset();
    CreateView(dir.path());
  }
  fs::path ProtectedBook(int pages = 7) {
    TestBookContents contents;
    contents.password = u"sesame";
    contents.pages = ColouredPages(pages);
    return Book("locked.qbb", contents);
  }
};

TEST_F(ReadingCompanionTest, ThePlaceSurvivesARestartAndIsOfferedNotTaken) {
  const fs::path book = PlainBook();
  Open(book);
  view->PageScroll()->setValue(5);
  Restart();
  Open(book);
  EXPECT_EQ(view->CurrentPage(), 1);  // opening still shows page 1
  EXPECT_EQ(Centre(), PageColour(1));
  EXPECT_EQ(Text(u"続きから"), QStringLiteral("続きから (5ページ)(&C)"));
  ASSERT_TRUE(Run(u"続きから"));
  EXPECT_EQ(view->CurrentPage(), 5);
  EXPECT_EQ(Centre(), PageColour(5));

  // With the option on, opening goes there directly.
  ASSERT_TRUE(Run(u"開いたときに続きから表示"));
  view->PageScroll()->setValue(3);
  Restart();
  EXPECT_TRUE(Companion().Options().resumeOnOpen);
  Open(book);
  EXPECT_EQ(view->CurrentPage(), 3);
}

TEST_F(ReadingCompanionTest, ALockedBookNeitherRevealsNorTakesItsPlace) {
  const fs::path book = ProtectedBook();
  modals.Type({QStringLiteral("sesame")});
  Open(book);
  view->PageScroll()->setValue(4);
  Restart();
  ASSERT_TRUE(Run(u"開いたときに続きから表示"));
  Open(book);  // the prompt is cancelled
  ASSERT_EQ(view->PassCheckFlag(), viewer::kLocked);
  EXPECT_EQ(view->CurrentPage(), 1);
  EXPECT_EQ(Text(u"続きから"), QStringLiteral("続きから(&C)"));
  EXPECT_FALSE(Run(u"続きから"));
  view->PageScroll()->setValue(6);  // nor is page 1 of the lock taken as the place
  Restart();
  ASSERT_TRUE(Run(u"開いたときに続きから表示"));  // off again: only the menu offers it
  Open(book);
  EXPECT_EQ(view->CurrentPage(), 1);
  // The prompt again from the menu; the right password shows the page left.
  modals.Type({QStringLiteral("sesame")});
  ASSERT_TRUE(Run(u"パスワードを入力"));
  EXPECT_EQ(view->PassCheckFlag(), viewer::kUnlocked);
  EXPECT_EQ(Text(u"続きから"), QStringLiteral("続きから (4ページ)(&C)"));
  EXPECT_FALSE(Run(u"パスワードを入力"));
}

TEST_F(ReadingCompanionTest, AForeignSettingsFileKeepsItsLinesAndStillRemembers) {
  const std::string foreign = "\x01\xFF garbage\r\n[ReadingPlaces]\r\nBook1=\xFF\xFE\r\n[Other]\r\nKey=value\r\n";
  std::ofstream(dir / "Quilly.Ini", std::ios::binary) << foreign;
  Restart();
  const fs::path book = PlainBook();
  Open(book);
  view->PageScroll()->setValue(6);
  Restart();
  Open(book);
  EXPECT_EQ(Companion().ResumablePage(), 6);
  const std::string content = ReadAll(dir / "Quilly.Ini");
  for (const char* line : {"\x01\xFF garbage\r\n", "[Other]\r\nKey=value\r\n"}) {
    EXPECT_NE(content.find(line), std::string::npos) << line;
  }
}

TEST_F(ReadingCompanionTest, AReplacedBookStartsAfresh) {
  const fs::path book = PlainBook("tale.qbb");
  Open(book);
  view->PageScroll()->setValue(5);
  Restart();
  TestBookContents other;
  other.title = u"Another Tale";
  other.pages = ColouredPages(7);
  Book("tale.qbb", other);
  Open(book);
  EXPECT_FALSE(Companion().ResumablePage());
}

TEST_F(ReadingCompanionTest, RecentBooksNewestFirstMissingDisabledAndCleared) {
  const fs::path a = PlainBook("a.qbb"), b = PlainBook("b.qbb"), c = PlainBook("c.qbb");
  for (const fs::path& path : {a, b, c, a}) Open(path);
  fs::remove(b);
  const auto menu = Companion().BuildMenu();
  QMenu* recent = Entry(*menu, u"最近開いた本")->menu();
  const QList<QAction*> entries = recent->actions();
  ASSERT_GE(entries.size(), 3);
  EXPECT_EQ(entries[0]->text(), QStringLiteral("&1 Plain Tales (a.qbb)"));
  EXPECT_EQ(entries[1]->text(), QStringLiteral("&2 Plain Tales (c.qbb)"));
  EXPECT_EQ(entries[2]->text(), QStringLiteral("&3 Plain Tales (b.qbb)"));
  EXPECT_TRUE(entries[1]->isEnabled());
  EXPECT_FALSE(entries[2]->isEnabled());
  entries[1]->trigger();
  EXPECT_EQ(view->BookPath(), U16(c));
  ASSERT_TRUE(Run(u"履歴を消去"));
  EXPECT_FALSE(Run(u"&1 "));
  EXPECT_FALSE(Run(u"履歴を消去"));
}

TEST_F(ReadingCompanionTest, OverviewChoosesPagesAndHoldsOnlyThumbnails) {
  TestBookContents contents;
  contents.pages = ColouredPages(40, 1600, 1200);
  Open(Book("big.qbb", contents));
  Companion().ShowOverview();
  PageOverview* overview = Companion().Overview();
  ASSERT_NE(overview, nullptr);
  int drawn = 0;
  while (overview->DrawNextThumbnail()) ++drawn;
  // Only what can be seen is drawn, each picture thumbnail-sized.
  EXPECT_GT(drawn, 0);
  EXPECT_LT(drawn, 40);
  EXPECT_EQ(overview->DrawnPages().size(), static_cast<std::size_t>(drawn));
  for (const int page : overview->DrawnPages()) {
    const QIcon icon = overview->List()->item(page - 1)->icon();
    ASSERT_EQ(icon.availableSizes().size(), 1);
    EXPECT_EQ(icon.availableSizes().front(), QSize(PageOverview::kThumbnailSide, PageOverview::kThumbnailSide));
    EXPECT_EQ(icon.pixmap(PageOverview::kThumbnailSide).toImage().pixel(60, 60), PageColour(page));
  }
  QListWidgetItem* item = overview->List()->item(2);
  emit overview->List()->itemClicked(item);
  EXPECT_EQ(view->CurrentPage(), 3);
  QApplication::processEvents();
  EXPECT_EQ(Companion().Overview(), nullptr);  // chosen: closed
}

TEST_F(ReadingCompanionTest, OverviewOfALockedBookOffersPageOneAlone) {
  Open(ProtectedBook());
  Companion().ShowOverview();
  PageOverview* overview = Companion().Overview();
  while (overview->DrawNextThumbnail()) {
  }
  EXPECT_EQ(overview->DrawnPages(), std::deque<int>{1});  // no other page is drawn, let alone shown
  EXPECT_FALSE(overview->Choose(3));
  EXPECT_EQ(view->CurrentPage(), 1);
  EXPECT_TRUE(overview->Choose(1));
}

TEST_F(ReadingCompanionTest, SpreadsInFullScreenPairPagesEarlierOnTheRightWhenRightToLeft) {
  TestBookContents contents;
  contents.pages = ColouredPages(5, 240, 320);
  Open(Book("tall.qbb", contents));
  Companion().SetOptions({.spreads = true});
  view->EnterFullScreen();
  const QImage& canvas = view->FullScreen()->Canvas();
  const auto at = [&canvas](double x) {
    return canvas.pixel(static_cast<int>(canvas.width() * x), canvas.height() / 2);
  };
  EXPECT_EQ(at(0.5), PageColour(1));  // the cover alone, in the middle
  view->StepPage(+1);
  EXPECT_EQ(view->CurrentPage(), 2);
  EXPECT_EQ(at(0.4), PageColour(2));
  EXPECT_EQ(at(0.6), PageColour(3));
  Companion().SetOptions({.spreads = true, .rightToLeft = true});
  EXPECT_EQ(at(0.4), PageColour(3));
  EXPECT_EQ(at(0.6), PageColour(2));
  Press(view->FullScreen(), Qt::Key_Left);  // forward, by a whole spread
  EXPECT_EQ(view->CurrentPage(), 4);
  EXPECT_EQ(at(0.6), PageColour(4));
  Press(view->FullScreen(), Qt::Key_Right);
  EXPECT_EQ(view->CurrentPage(), 2);
  view->LeaveFullScreen();
  Press(view->VIEW(), Qt::Key_Left);  // one page at a time in the window, still mirrored
  EXPECT_EQ(view->CurrentPage(), 3);
}

TEST_F(ReadingCompanionTest, SlideshowStopsAtTheEndOnKeysClicksAndPrompts) {
  const fs::path book = PlainBook("plain.qbb", 3);
  Open(book);
  Companion().StartSlideshow(3);
  ASSERT_TRUE(Companion().SlideshowRunning());
  Companion().AdvanceSlideshow();
  EXPECT_TRUE(Companion().SlideshowRunning());
  Companion().AdvanceSlideshow();
  EXPECT_EQ(view->CurrentPage(), 3);
  EXPECT_FALSE(Companion().SlideshowRunning());

  const auto stopsOn = [this](const std::function<void()>& cause) {
    view->PageScroll()->setValue(1);
    Companion().StartSlideshow(5);
    cause();
    return !Companion().SlideshowRunning() && view->CurrentPage() == 1;
  };
  EXPECT_TRUE(stopsOn([this] { Press(view->VIEW(), Qt::Key_Space); }));
  EXPECT_TRUE(stopsOn([this] {
    QMouseEvent click(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(view->BTN(frmView::kNext), &click);
  }));
  EXPECT_TRUE(stopsOn([this] { Open(ProtectedBook()); }));
  ASSERT_EQ(modals.prompts.size(), 1u);
  Companion().StartSlideshow(3);  // nor does a locked book start one
  EXPECT_FALSE(Companion().SlideshowRunning());
}

TEST_F(ReadingCompanionTest, SmoothShrinkKeepsAGradientWithoutTheDarkBand) {
  // Red to blue from top to bottom, twice the view's height, 127 and 128 in
  // the two middle rows: they shrink into one, whose AND is black.
  QImage gradient(1276, 956, QImage::Format_RGB32);
  for (int y = 0; y < gradient.height(); ++y) {
    const int v = y < 477 ? 127 - (476 - y) * 127 / 476 : 128 + (y - 477) * 127 / 478;
    for (int x = 0; x < gradient.width(); ++x) gradient.setPixel(x, y, qRgb(255 - v, 0, v));
  }
  TestBookContents contents;
  contents.pages = {gradient};
  Open(Book("gradient.qbb", contents));
  const auto darkest = [this] {
    int least = 255;
    const QImage& canvas = view->VIEW()->Canvas();
    for (int y = 100; y < 380; ++y) {
      const QRgb pixel = canvas.pixel(320, y);
      least = std::min(least, std::max(qRed(pixel), qBlue(pixel)));
    }
    return least;
  };
  EXPECT_LT(darkest(), 64);
  Companion().SetOptions({.smoothShrink = true});
  EXPECT_GT(darkest(), 120);
  Restart();  // the choice is kept
  Open(dir / "gradient.qbb");
  EXPECT_GT(darkest(), 120);
}

TEST_F(ReadingCompanionTest, TheMenuOpensOnRightClickMenuKeyAndShiftF10) {
  Open(PlainBook());
  const auto opens = [](const std::function<void()>& how) {
    how();
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    const bool open = menu && menu->objectName() == QStringLiteral("ReaderMenu");
    if (menu) menu->close();
    QApplication::processEvents();
    return open;
  };
  EXPECT_TRUE(opens([this] {
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(40, 40), view->VIEW()->mapToGlobal(QPoint(40, 40)));
    QApplication::sendEvent(view->VIEW(), &click);
  }));
  EXPECT_TRUE(opens([this] { Press(view->BTN(frmView::kNext), Qt::Key_Menu); }));
  EXPECT_TRUE(opens([this] { Press(view->PageScroll(), Qt::Key_F10, Qt::ShiftModifier); }));
  EXPECT_FALSE(opens([this] { Press(view->VIEW(), Qt::Key_F10); }));
  Press(view->BTN(frmView::kOpen), Qt::Key_G, Qt::ControlModifier);
  ASSERT_NE(Companion().Overview(), nullptr);
  Companion().Overview()->close();
}

}  // namespace
}  // namespace qb::test
