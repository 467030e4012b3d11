// Reading across the whole screen: where the page lies and how it is drawn,
// the keys, wheel, double-clicks and drops that work there, the lock, the
// modal windows opening over it, and the window left exactly as it was.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QToolButton>
#include <QWheelEvent>
#include <filesystem>
#include <fstream>
#include <random>

#include "common/ui/picture_box.h"
#include "image/classic_stretch.h"
#include "image/screen_fit.h"
#include "image/view_drawing.h"
#include "support/file_type_recording_store.h"
#include "support/scripted_dialog_backend.h"
#include "support/scripted_message_boxes.h"
#include "support/simulated_drop.h"
#include "viewer/full_screen_view.h"
#include "viewer/view_window.h"
#include "viewer_test_support.h"

namespace qb::test {
namespace {

using viewer::frmView;
using viewer::FullScreenView;
namespace fs = std::filesystem;

// Random colours, none of them black, so the page stands out of the ground.
QImage NoisePage(int width, int height, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> channel(1, 255);
  QImage page(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) page.setPixel(x, y, qRgb(channel(random), channel(random), channel(random)));
  }
  return page;
}

// The smallest rectangle holding every pixel that is not black.
DrawRect LitArea(const QImage& canvas) {
  int left = canvas.width(), top = canvas.height(), right = -1, bottom = -1;
  for (int y = 0; y < canvas.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
    for (int x = 0; x < canvas.width(); ++x) {
      if ((row[x] & 0xFFFFFFu) == 0) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  return right < 0 ? DrawRect{} : DrawRect{left, top, right - left + 1, bottom - top + 1};
}

// The page stretched by the classic rule onto a black screen at `place`.
QImage Expected(const QImage& page, QSize screen, const DrawRect& place) {
  QImage expected(screen, QImage::Format_RGB32);
  expected.fill(Qt::black);
  PixelRowsSource rows(reinterpret_cast<const std::uint32_t*>(page.constBits()), page.width(), page.height(),
                       page.bytesPerLine() / 4);
  EXPECT_TRUE(ClassicStretch().Draw(rows, place, TargetOf(expected)));
  return expected;
}

TEST(FullScreenView, PageFillsA1920By1080ScreenByTheRule) {
  TempDir dir;
  TestBookContents contents;
  contents.pages = {NoisePage(640, 480, 1), NoisePage(1920, 1080, 2), NoisePage(2400, 1800, 3)};
  const BookRecord book = WriteTestBook(dir / "sizes.qbb", contents);
  const DrawRect rules[] = {{320, 60, 1280, 960}, {0, 0, 1920, 1080}, {240, 0, 1440, 1080}};

  FullScreenView screen(nullptr);
  screen.resize(1920, 1080);
  screen.show();
  for (std::size_t i = 0; i < contents.pages.size(); ++i) {
    screen.SetPage(U16(dir / "sizes.qbb"), book.PageTable[i]);
    const QImage& canvas = screen.Canvas();
    ASSERT_EQ(canvas.size(), QSize(1920, 1080));
    EXPECT_EQ(LitArea(canvas), rules[i]) << "page " << i + 1;
    EXPECT_TRUE(canvas == Expected(contents.pages[i], canvas.size(), rules[i])) << "page " << i + 1;
  }

  // The smaller page, twice its size: each of its pixels a crisp 2 x 2 block.
  screen.SetPage(U16(dir / "sizes.qbb"), book.PageTable[0]);
  const QImage& canvas = screen.Canvas();
  for (const QPoint at : {QPoint(0, 0), QPoint(639, 479), QPoint(17, 301), QPoint(400, 3)}) {
    const QRgb pixel = contents.pages[0].pixel(at);
    for (int dy = 0; dy < 2; ++dy) {
      for (int dx = 0; dx < 2; ++dx) EXPECT_EQ(canvas.pixel(320 + 2 * at.x() + dx, 60 + 2 * at.y() + dy), pixel);
    }
  }

  // A screen that changes size gets the page drawn afresh for it.
  screen.resize(1280, 720);
  EXPECT_EQ(screen.Canvas().size(), QSize(1280, 720));
  EXPECT_EQ(LitArea(screen.Canvas()), FitPageToScreen(640, 480, 1280, 720));

  // No book: the black ground alone.
  screen.SetPage(u"", 0);
  EXPECT_EQ(LitArea(screen.Canvas()), DrawRect{});
}

class FullScreenReading : public ViewerWindowTest {
 protected:
  void SetUp() override {
    ViewerWindowTest::SetUp();
    view->move(40, 30);
    view->show();
  }

  fs::path PlainBook() { return ViewerWindowTest::PlainBook("plain.qbb", 5); }
  fs::path ProtectedBook() {
    TestBookContents contents;
    contents.password = u"Secret";
    contents.pages = ColouredPages(3);
    return Book("locked.qbb", contents);
  }
  FullScreenView* Screen() const { return view->FullScreen(); }
  void Drop(QWidget* target, const fs::path& file) {
    SimulateFileDrop(target, {U16(file)});
    QCoreApplication::sendPostedEvents();
  }
  QRgb ScreenCentre() const {
    const QImage& canvas = Screen()->Canvas();
    return canvas.pixel(canvas.width() / 2, canvas.height() / 2);
  }
};

TEST_F(FullScreenReading, F11AndDoubleClickEnterEscF11AndDoubleClickLeaveTheWindowAsItWas) {
  Open(PlainBook());
  const QRect geometry = view->geometry();
  const QRect frame = view->frameGeometry();
  const Qt::WindowStates states = view->windowState();
  const QImage page1 = view->VIEW()->Canvas().copy();

  Press(view.get(), Qt::Key_F11);
  ASSERT_TRUE(view->IsFullScreen());
  EXPECT_TRUE(Screen()->isFullScreen());
  EXPECT_EQ(Screen()->screen(), view->screen()) << "on the window's own screen";
  EXPECT_EQ(Screen()->geometry(), view->screen()->geometry());
  EXPECT_EQ(ScreenCentre(), PageColour(1));
  EXPECT_EQ(LitArea(Screen()->Canvas()),
            FitPageToScreen(320, 240, Screen()->Canvas().width(), Screen()->Canvas().height()));
  EXPECT_EQ(view->geometry(), geometry);

  Press(Screen(), Qt::Key_Escape);
  EXPECT_FALSE(view->IsFullScreen());
  EXPECT_FALSE(Screen()->isVisible());
  EXPECT_TRUE(view->isVisible());
  EXPECT_EQ(view->geometry(), geometry);
  EXPECT_EQ(view->frameGeometry(), frame);
  EXPECT_EQ(view->windowState(), states);
  EXPECT_EQ(view->VIEW()->Canvas(), page1);
  Press(view.get(), Qt::Key_Escape);
  EXPECT_FALSE(view->IsFullScreen()) << "Esc in the window is no way in";

  DoubleClick(view->VIEW());
  ASSERT_TRUE(view->IsFullScreen());
  Press(Screen(), Qt::Key_F11);
  EXPECT_FALSE(view->IsFullScreen());
  Press(view->PageScroll(), Qt::Key_F11);
  ASSERT_TRUE(view->IsFullScreen()) << "F11 works whichever control has the focus";
  DoubleClick(Screen(), Qt::RightButton);
  EXPECT_TRUE(view->IsFullScreen()) << "only the main button's double-click counts";
  DoubleClick(Screen());
  EXPECT_FALSE(view->IsFullScreen());
  EXPECT_EQ(view->geometry(), geometry);
  EXPECT_EQ(view->BTN(frmView::kOpen)->geometry(), QRect(0, 0, 65, 41));
  EXPECT_EQ(view->VIEW()->geometry(), QRect(8, 44, 642, 482));
}

TEST_F(FullScreenReading, KeysAndWheelTurnPagesOnTheScreenAndInTheWindow) {
  Open(PlainBook());
  view->EnterFullScreen();
  Press(Screen(), Qt::Key_Right);
  Press(Screen(), Qt::Key_Space);
  EXPECT_EQ(view->CurrentPage(), 3);
  EXPECT_EQ(ScreenCentre(), PageColour(3));
  Wheel(Screen(), -120);
  EXPECT_EQ(view->CurrentPage(), 4);
  EXPECT_EQ(ScreenCentre(), PageColour(4));
  Press(Screen(), Qt::Key_Home);
  EXPECT_EQ(ScreenCentre(), PageColour(1));
  Press(Screen(), Qt::Key_End);
  EXPECT_EQ(view->PageScroll()->value(), 5);
  EXPECT_EQ(ScreenCentre(), PageColour(5));
  view->LeaveFullScreen();
  EXPECT_EQ(view->VIEW()->Canvas().pixel(319, 239), PageColour(5)) << "the window shows where reading stopped";
  Press(view.get(), Qt::Key_Left);
  view->EnterFullScreen();
  EXPECT_EQ(ScreenCentre(), PageColour(4)) << "the page turned in the window meanwhile";
}

TEST_F(FullScreenReading, TheLockHoldsAndModalWindowsOpenOverTheScreen) {
  modals.Type({});  // cancelled
  Open(ProtectedBook());
  ASSERT_EQ(view->PassCheckFlag(), viewer::kLocked);
  view->EnterFullScreen();
  const QImage first = Screen()->Canvas().copy();
  for (const int key : {Qt::Key_Right, Qt::Key_Space, Qt::Key_PageDown, Qt::Key_End}) Press(Screen(), key);
  Wheel(Screen(), -360);
  EXPECT_EQ(view->CurrentPage(), 1);
  EXPECT_EQ(view->PageScroll()->value(), 1);
  EXPECT_EQ(Screen()->Canvas(), first);

  Press(Screen(), Qt::Key_I, Qt::ControlModifier);
  ASSERT_EQ(modals.infoOwners.size(), 1u);
  EXPECT_EQ(modals.infoOwners.back(), Screen());

  // A protected book dropped on the screen asks there; cancelled, it stays locked.
  modals.Type({});
  Drop(Screen(), ProtectedBook());
  ASSERT_EQ(modals.prompts.size(), 2u);
  EXPECT_EQ(modals.prompts.back().owner, Screen());
  EXPECT_EQ(view->PassCheckFlag(), viewer::kLocked);
  Press(Screen(), Qt::Key_Right);
  EXPECT_EQ(ScreenCentre(), PageColour(1));

  modals.Type({QStringLiteral("Secret")});
  Drop(Screen(), ProtectedBook());
  ASSERT_NE(view->PassCheckFlag(), viewer::kLocked);
  Press(Screen(), Qt::Key_Right);
  EXPECT_EQ(view->CurrentPage(), 2);
  EXPECT_EQ(ScreenCentre(), PageColour(2));

  // A file that is no book: the message shows over the screen, which keeps its page.
  { std::ofstream(dir / "broken.qbb") << "not a book"; }
  Drop(Screen(), dir / "broken.qbb");
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls().back().owner, Screen());
  EXPECT_EQ(ScreenCentre(), PageColour(2));

  dialogs.CancelFile();
  Press(Screen(), Qt::Key_O, Qt::ControlModifier);
  ASSERT_FALSE(dialogs.FileRequests().empty());
  EXPECT_EQ(dialogs.FileRequests().back().owner, Screen());
  view->LeaveFullScreen();
  Press(view.get(), Qt::Key_I, Qt::ControlModifier);
  EXPECT_EQ(modals.infoOwners.back(), view.get()) << "back in the window, over the window";
}

}  // namespace
}  // namespace qb::test
