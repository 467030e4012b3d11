#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <QToolButton>
#include <QWindow>
#include <filesystem>
#include <functional>

#include "book/book_format.h"
#include "common/ini_access.h"
#include "common/ui/message_box.h"
#include "common/ui/picture_box.h"
#include "image/view_drawing.h"
#include "support/file_type_recording_store.h"
#include "support/scripted_dialog_backend.h"
#include "support/scripted_message_boxes.h"
#include "viewer/view_window.h"
#include "viewer_test_support.h"

namespace qb::test {
namespace {

using viewer::frmView;
namespace fs = std::filesystem;

const QString kDamagedMessage = QStringLiteral("ファイルが壊れているか、デジタルブックではありません。");

class ViewWindow : public ViewerWindowTest {
 protected:
  // The remembered folder is one of its own, apart from the books.
  void SetUp() override {
    fs::create_directories(dir / "Book");
    CreateView(dir / "Book");
  }

  fs::path ProtectedBook(const std::string& name = "locked.qbb") {
    TestBookContents contents;
    contents.title = u"Locked Tales";
    contents.password = u"Secret";
    contents.price = 1500;
    contents.pages = ColouredPages(3);
    return Book(name, contents);
  }
  void OpenFromCommandLine(const fs::path& path) { view->Form_Load({U16(path)}); }
  void OpenFromDialog(const fs::path& path) { Open(path); }
};

TEST_F(ViewWindow, LayoutCaptionsAndTabOrder) {
  EXPECT_EQ(view->size(), QSize(656, 529));
  EXPECT_EQ(view->minimumSize(), view->maximumSize());
  EXPECT_EQ(view->windowTitle(), QStringLiteral("Quillberry"));
  EXPECT_FALSE(view->windowIcon().isNull());
  const char* captions[] = {"OPEN", "PREV", "NEXT", "INFO"};
  const int xs[] = {0, 72, 136, 584};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(view->BTN(i)->text(), QString::fromLatin1(captions[i]));
    EXPECT_EQ(view->BTN(i)->geometry(), QRect(xs[i], 0, 65, 41));
    EXPECT_FALSE(view->BTN(i)->icon().isNull());
    EXPECT_EQ(view->BTN(i)->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
  }
  EXPECT_EQ(view->PageScroll()->geometry(), QRect(208, 8, 353, 25));
  EXPECT_EQ(view->PageScroll()->orientation(), Qt::Horizontal);
  EXPECT_EQ(view->PageScroll()->minimum(), 1);
  EXPECT_EQ(view->PageScroll()->maximum(), 1);
  EXPECT_EQ(view->PageScroll()->value(), 1);
  EXPECT_EQ(view->PageScroll()->singleStep(), 1);
  EXPECT_EQ(view->PageScroll()->pageStep(), 1);
  EXPECT_EQ(view->VIEW()->geometry(), QRect(8, 44, 642, 482));
  EXPECT_EQ(view->VIEW()->InnerSize(), QSize(638, 478));
  EXPECT_EQ(view->VIEW()->Background(), view->palette().color(QPalette::Base));

  const std::vector<QWidget*> order = {view->BTN(0), view->PageScroll(), view->VIEW(),
                                       view->BTN(1), view->BTN(2),       view->BTN(3)};
  for (std::size_t i = 0; i + 1 < order.size(); ++i) EXPECT_EQ(order[i]->nextInFocusChain(), order[i + 1]) << i;
}

// The controls go by their design names at run time, as an inspector or
// findChild sees them.
TEST_F(ViewWindow, ControlsCarryTheirDesignNames) {
  EXPECT_EQ(view->objectName(), QStringLiteral("frmView"));
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(view->findChild<QToolButton*>(QStringLiteral("BTN(%1)").arg(i)), view->BTN(i)) << i;
  }
  EXPECT_EQ(view->findChild<QScrollBar*>(QStringLiteral("PageScroll")), view->PageScroll());
  EXPECT_EQ(view->findChild<PictureBox*>(QStringLiteral("VIEW")), view->VIEW());
}

TEST_F(ViewWindow, EmptyCommandLineRegistersAndWaits) {
  view->Form_Load({});
  EXPECT_EQ(fileTypes.Writes(),
            (std::vector<RecordingFileTypeStore::Registration>{{u"QuillberryBook", U16(dir.path())}}));
  EXPECT_FALSE(view->isVisible()) << "the start procedure shows it";
  EXPECT_EQ(view->windowTitle(), QStringLiteral("Quillberry"));
  EXPECT_EQ(view->PassCheckFlag(), viewer::kLocked);
  EXPECT_TRUE(NavigationEnabled());
  EXPECT_TRUE(boxes.Calls().empty());
  EXPECT_TRUE(modals.prompts.empty());

  // No book: PREV and NEXT do nothing, INFO shows empty fields.
  const QImage before = view->VIEW()->Canvas().copy();
  view->BTN_Click(frmView::kNext);
  view->BTN_Click(frmView::kPrev);
  EXPECT_EQ(view->PageScroll()->value(), 1);
  EXPECT_EQ(view->VIEW()->Canvas(), before);
  view->BTN_Click(frmView::kInfo);
  ASSERT_EQ(modals.infoBooks.size(), 1u);
  EXPECT_EQ(modals.infoBooks[0], BookRecord{});
  EXPECT_EQ(modals.infoOwners[0], view.get());
}

TEST_F(ViewWindow, CommandLineBookWithoutPasswordIsOpenAndUnlocked) {
  TestBookContents contents;
  contents.title = u"  Plain Tales";
  contents.author = u"Ann Berry";
  contents.pages = ColouredPages(7);
  const fs::path path = Book("plain.qbb", contents);
  OpenFromCommandLine(path);

  EXPECT_TRUE(view->isVisible());
  EXPECT_EQ(view->windowTitle(), QStringLiteral("Quillberry:[Plain Tales/Ann Berry]"));
  EXPECT_EQ(view->BookPath(), U16(path));
  EXPECT_EQ(Centre(), PageColour(1));
  EXPECT_EQ(view->PageScroll()->maximum(), 7);
  EXPECT_EQ(view->PassCheckFlag(), viewer::kUnlocked);
  EXPECT_TRUE(NavigationEnabled());
  EXPECT_TRUE(modals.prompts.empty());
  EXPECT_TRUE(boxes.Calls().empty());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the hourglass ends with the drawing";
}

TEST_F(ViewWindow, CommandLinePathWithBlanksIsTakenWhole) {
  fs::create_directories(dir / "my books");
  const fs::path path = PlainBook("my books/two  blanks.qbb");
  const std::string text = path.string();
  const std::size_t cut = text.find(' ');
  // The desktop hands over a quoted path as one argument, an unquoted one split at blanks.
  for (const auto& arguments :
       {std::vector<std::u16string>{u"\"" + U16(path) + u"\""},
        std::vector<std::u16string>{FromUtf8(text.substr(0, cut)), FromUtf8(text.substr(cut + 1))}}) {
    frmView other(settings, viewer::ViewerEnvironment{U16(dir.path()), fileTypes, modals});
    other.Form_Load(arguments);
    EXPECT_EQ(other.BookPath(), U16(path));
    EXPECT_EQ(other.VIEW()->Canvas().pixel(319, 239), PageColour(1));
  }
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(ViewWindow, RegistrationComesBeforeTheCommandLineBook) {
  struct OrderStore : RecordingFileTypeStore {
    const ScriptedMessageBoxes* boxes = nullptr;
    std::size_t messagesBefore = 99;
    void Register(const FileTypeDefinition& type, std::u16string_view folder) override {
      messagesBefore = boxes->Calls().size();
      RecordingFileTypeStore::Register(type, folder);
    }
  } store;
  store.boxes = &boxes;
  frmView other(settings, viewer::ViewerEnvironment{U16(dir.path()), store, modals});
  other.Form_Load({U16(dir / "missing.qbb")});
  EXPECT_EQ(store.messagesBefore, 0u);
  EXPECT_EQ(boxes.Calls().size(), 1u);
}

// Under a window manager a shown window is placed before it is exposed; the
// prompt and the message are centred over the window only once it stands
// where the window manager put it.
TEST_F(ViewWindow, CommandLinePromptAndMessageWaitUntilTheWindowIsOnScreen) {
  const auto exposed = [](QWidget* owner) { return owner->windowHandle() && owner->windowHandle()->isExposed(); };
  struct ExposureModals : ScriptedViewerModals {
    std::function<bool(QWidget*)> exposed;
    std::vector<bool> seen;
    void RunPasswordPrompt(QWidget* owner, const QString& checkPass, const QString& priceLabel,
                           std::int16_t& passCheckFlag) override {
      seen.push_back(exposed(owner));
      ScriptedViewerModals::RunPasswordPrompt(owner, checkPass, priceLabel, passCheckFlag);
    }
  } prompts;
  prompts.exposed = exposed;
  frmView locked(settings, viewer::ViewerEnvironment{U16(dir.path()), fileTypes, prompts});
  locked.Form_Load({U16(ProtectedBook())});
  EXPECT_EQ(prompts.seen, std::vector<bool>{true});

  struct ExposureBoxes : ScriptedMessageBoxes {
    std::function<bool(QWidget*)> exposed;
    std::vector<bool> seen;
    MessageResult Show(const MessageRequest& request) override {
      seen.push_back(exposed(request.owner));
      return ScriptedMessageBoxes::Show(request);
    }
  } messages;
  messages.exposed = exposed;
  WriteAll(dir / "notes.qbb", "just some text, not a book");
  frmView damaged(settings, viewer::ViewerEnvironment{U16(dir.path()), fileTypes, modals});
  damaged.Form_Load({U16(dir / "notes.qbb")});
  EXPECT_EQ(messages.seen, std::vector<bool>{true});
}

TEST_F(ViewWindow, DamagedCommandLineBookIsReported) {
  WriteAll(dir / "notes.qbb", "just some text, not a book");
  const QImage before = view->VIEW()->Canvas().copy();
  OpenFromCommandLine(dir / "notes.qbb");
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, kDamagedMessage);
  EXPECT_EQ(boxes.Calls()[0].title, QStringLiteral("Quillberry"));
  EXPECT_EQ(boxes.Calls()[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(boxes.Calls()[0].icon, MessageIcon::None);
  EXPECT_EQ(boxes.Calls()[0].owner, view.get());
  EXPECT_EQ(view->windowTitle(), QStringLiteral("Quillberry"));
  EXPECT_EQ(view->VIEW()->Canvas(), before);
  EXPECT_TRUE(modals.prompts.empty());
}

TEST_F(ViewWindow, ProtectedBookCancelledStaysLockedOnPageOne) {
  OpenFromCommandLine(ProtectedBook());
  ASSERT_EQ(modals.prompts.size(), 1u);
  EXPECT_EQ(modals.prompts[0].checkPass, QStringLiteral("Secret"));
  EXPECT_EQ(modals.prompts[0].priceLabel, QStringLiteral("¥1,500"));
  EXPECT_EQ(modals.prompts[0].owner, view.get());
  EXPECT_EQ(view->windowTitle(), QStringLiteral("Quillberry:[Locked Tales/Ann Berry]"));
  EXPECT_EQ(Centre(), PageColour(1)) << "page 1 is drawn before the prompt";
  EXPECT_EQ(view->PassCheckFlag(), viewer::kLocked);
  EXPECT_TRUE(NavigationDisabled());
  EXPECT_TRUE(view->BTN(frmView::kOpen)->isEnabled());
  EXPECT_TRUE(view->BTN(frmView::kInfo)->isEnabled());

  // Even when reached, the locked steps and the scroll bar stay on page 1.
  view->StepPage(+1);
  EXPECT_EQ(view->PageScroll()->value(), 1);
  view->PageScroll()->setValue(3);
  EXPECT_EQ(view->PageScroll()->value(), 1);
  EXPECT_EQ(view->CurrentPage(), 1);
  EXPECT_EQ(Centre(), PageColour(1));
}

TEST_F(ViewWindow, RightPasswordUnlocksAfterWrongOnes) {
  modals.Type({QStringLiteral("secret"), QStringLiteral("Secret "), QStringLiteral("Secret")});
  OpenFromCommandLine(ProtectedBook());
  ASSERT_EQ(modals.prompts.size(), 1u);
  const auto& attempts = modals.prompts[0].attempts;
  ASSERT_EQ(attempts.size(), 3u);
  for (int i = 0; i < 2; ++i) {
    EXPECT_TRUE(attempts[i].openAfter) << i;
    EXPECT_EQ(attempts[i].textAfter, attempts[i].typed) << i;
  }
  EXPECT_FALSE(attempts[2].openAfter);
  ASSERT_EQ(boxes.Calls().size(), 2u);
  EXPECT_EQ(boxes.Calls()[0].text, QStringLiteral("パスワードが違います"));

  EXPECT_EQ(view->PassCheckFlag(), viewer::kUnlocked);
  EXPECT_TRUE(NavigationEnabled());
  view->BTN_Click(frmView::kNext);
  EXPECT_EQ(Centre(), PageColour(2));
}

TEST_F(ViewWindow, StepsStopAtBothEnds) {
  OpenFromCommandLine(PlainBook());
  const QImage first = view->VIEW()->Canvas().copy();
  view->BTN_Click(frmView::kPrev);
  EXPECT_EQ(view->CurrentPage(), 1);
  EXPECT_EQ(view->PageScroll()->value(), 1);
  EXPECT_EQ(view->VIEW()->Canvas(), first);

  view->PageScroll()->setValue(7);
  EXPECT_EQ(Centre(), PageColour(7));
  view->BTN_Click(frmView::kNext);
  EXPECT_EQ(view->CurrentPage(), 7);
  EXPECT_EQ(view->PageScroll()->value(), 7);
  EXPECT_EQ(Centre(), PageColour(7));
}

TEST_F(ViewWindow, NextContinuesFromTheScrolledPage) {
  OpenFromCommandLine(PlainBook());
  view->PageScroll()->setValue(5);
  EXPECT_EQ(Centre(), PageColour(5));
  view->BTN_Click(frmView::kNext);
  EXPECT_EQ(view->CurrentPage(), 6);
  EXPECT_EQ(view->PageScroll()->value(), 6);
  EXPECT_EQ(Centre(), PageColour(6));
  view->BTN_Click(frmView::kPrev);
  view->BTN_Click(frmView::kPrev);
  EXPECT_EQ(Centre(), PageColour(4));
}

TEST_F(ViewWindow, SecondBookShowsItsFirstPage) {
  OpenFromCommandLine(PlainBook("first.qbb"));
  TestBookContents second;
  second.title = u"Second";
  second.pages = {Solid(320, 240, qRgb(1, 2, 3)), Solid(320, 240, qRgb(4, 5, 6))};
  // From page 1 of the first book: the scroll bar does not move, page 1 is drawn anyway.
  OpenFromDialog(Book("second.qbb", second));
  EXPECT_EQ(Centre(), qRgb(1, 2, 3));
  EXPECT_EQ(view->PageScroll()->maximum(), 2);
  EXPECT_EQ(view->windowTitle(), QStringLiteral("Quillberry:[Second/Ann Berry]"));

  // From a later page of a longer book: the range narrows, page 1 is shown.
  OpenFromDialog(PlainBook("third.qbb", 7));
  view->PageScroll()->setValue(6);
  OpenFromDialog(dir / "second.qbb");
  EXPECT_EQ(view->PageScroll()->value(), 1);
  EXPECT_EQ(view->CurrentPage(), 1);
  EXPECT_EQ(Centre(), qRgb(1, 2, 3));
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(ViewWindow, OpenDialogRequestAndRememberedFolder) {
  fs::create_directories(dir / "shelf");
  const fs::path path = PlainBook("shelf/book.qbb");
  OpenFromDialog(path);
  ASSERT_EQ(dialogs.FileRequests().size(), 1u);
  const FileDialogRequest& request = dialogs.FileRequests()[0];
  EXPECT_EQ(request.kind, FileDialogKind::Open);
  EXPECT_EQ(request.owner, view.get());
  EXPECT_EQ(request.title, QStringLiteral("クイルベリーブック"));
  EXPECT_EQ(request.initialFolder.toStdU16String(), U16(dir / "Book"));
  EXPECT_EQ(request.nameFilters, QStringList{QStringLiteral("ｸｲﾙﾍﾞﾘｰﾌﾞｯｸ (*.qbb)")});
  EXPECT_EQ(request.flags, 4100u);

  EXPECT_EQ(Centre(), PageColour(1));
  EXPECT_EQ(view->PassCheckFlag(), viewer::kUnlocked);
  EXPECT_EQ(view->Settings().lastFolder, U16(dir / "shelf"));
  EXPECT_EQ(GetIniString(u"System", u"LastFolder", u"", settings.settingsPath), U16(dir / "shelf"));

  // The next dialog starts where the last book was found.
  dialogs.CancelFile();
  view->BTN_Click(frmView::kOpen);
  EXPECT_EQ(dialogs.FileRequests()[1].initialFolder.toStdU16String(), U16(dir / "shelf"));
}

TEST_F(ViewWindow, ProtectedBookFromTheDialogAsksForItsPassword) {
  OpenFromCommandLine(PlainBook());
  modals.Type({QStringLiteral("Secret")});
  OpenFromDialog(ProtectedBook());
  ASSERT_EQ(modals.prompts.size(), 1u);
  EXPECT_EQ(view->PassCheckFlag(), viewer::kUnlocked);
  EXPECT_TRUE(NavigationEnabled());

  // Another protected book locks again until its own password is given.
  OpenFromDialog(ProtectedBook("locked2.qbb"));
  EXPECT_EQ(modals.prompts.size(), 2u);
  EXPECT_EQ(view->PassCheckFlag(), viewer::kLocked);
  EXPECT_TRUE(NavigationDisabled());
}

TEST_F(ViewWindow, CancelledDialogChangesNothing) {
  modals.Type({QStringLiteral("Secret")});
  OpenFromCommandLine(ProtectedBook());
  ASSERT_EQ(view->PassCheckFlag(), viewer::kUnlocked);
  view->PageScroll()->setValue(2);
  const QString title = view->windowTitle();
  const QImage drawn = view->VIEW()->Canvas().copy();

  dialogs.CancelFile();
  view->BTN_Click(frmView::kOpen);
  EXPECT_EQ(modals.prompts.size(), 1u) << "no second prompt";
  EXPECT_EQ(view->PassCheckFlag(), viewer::kUnlocked);
  EXPECT_TRUE(NavigationEnabled());
  EXPECT_EQ(view->windowTitle(), title);
  EXPECT_EQ(view->VIEW()->Canvas(), drawn);
  EXPECT_EQ(view->CurrentPage(), 2);
  EXPECT_EQ(view->Settings().lastFolder, U16(dir / "Book"));
  EXPECT_FALSE(fs::exists(dir / "Quilly.Ini")) << "nothing saved";
}

TEST_F(ViewWindow, RejectedFileLeavesNoBookOpen) {
  OpenFromCommandLine(PlainBook());
  view->PageScroll()->setValue(3);
  const QString title = view->windowTitle();
  const QImage drawn = view->VIEW()->Canvas().copy();

  WriteAll(dir / "notes.qbb", "just some text, not a book");
  OpenFromDialog(dir / "notes.qbb");
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, kDamagedMessage);
  EXPECT_EQ(view->windowTitle(), title);
  EXPECT_EQ(view->VIEW()->Canvas(), drawn);
  EXPECT_EQ(view->PageScroll()->maximum(), 1);
  EXPECT_EQ(view->PageScroll()->value(), 1);
  EXPECT_TRUE(modals.prompts.empty());
  // The folder of the chosen file is remembered all the same.
  EXPECT_EQ(GetIniString(u"System", u"LastFolder", u"", settings.settingsPath), U16(dir.path()));

  // Navigation is inert: nothing moves and nothing is drawn.
  view->BTN_Click(frmView::kNext);
  view->BTN_Click(frmView::kPrev);
  view->PageScroll()->setValue(2);
  EXPECT_EQ(view->PageScroll()->value(), 1);
  EXPECT_EQ(view->VIEW()->Canvas(), drawn);
  view->BTN_Click(frmView::kInfo);
  ASSERT_EQ(modals.infoBooks.size(), 1u);
  EXPECT_EQ(modals.infoBooks[0], BookRecord{}) << "no book is open";
}

TEST_F(ViewWindow, FileFailingItsCheckIsNeverRead) {
  modals.Type({QStringLiteral("Secret")});
  OpenFromCommandLine(ProtectedBook());
  const QImage drawn = view->VIEW()->Canvas().copy();

  // A protected book of green pages whose check byte is wrong: the reader
  // fills the record from it, but the viewer must not use it.
  TestBookContents contents;
  contents.title = u"Broken";
  contents.password = u"Other";
  contents.pages = {Solid(320, 240, qRgb(0, 255, 0)), Solid(320, 240, qRgb(0, 255, 0))};
  const fs::path broken = Book("broken.qbb", contents);
  std::string bytes = ReadAll(broken);
  bytes[format::kCheckOffset] = static_cast<char>(bytes[format::kCheckOffset] ^ 0x01);
  WriteAll(broken, bytes);

  OpenFromDialog(broken);
  EXPECT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(modals.prompts.size(), 1u) << "neither this file's nor the previous book's password is asked";
  EXPECT_EQ(view->windowTitle(), QStringLiteral("Quillberry:[Locked Tales/Ann Berry]"));
  view->BTN_Click(frmView::kNext);
  view->PageScroll()->setValue(2);
  view->DrawPage(1);
  EXPECT_EQ(view->VIEW()->Canvas(), drawn);
  view->BTN_Click(frmView::kInfo);
  EXPECT_EQ(modals.infoBooks.back(), BookRecord{});
}

TEST_F(ViewWindow, InfoShowsTheOpenBook) {
  OpenFromCommandLine(PlainBook());
  view->BTN_Click(frmView::kInfo);
  ASSERT_EQ(modals.infoBooks.size(), 1u);
  EXPECT_EQ(modals.infoBooks[0], view->Book());
  EXPECT_EQ(modals.infoBooks[0].Url, u"https://books.example/ann");
  EXPECT_EQ(modals.infoBooks[0].Comment, u"First line\r\nSecond line");
}

TEST_F(ViewWindow, PagesAreScaledIntoTheView) {
  QImage large = Solid(1280, 960, qRgb(0, 0, 200));
  for (int y = 0; y < 960; ++y) {
    for (int x = 640; x < 1280; ++x) large.setPixel(x, y, qRgb(200, 0, 0));
  }
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 1280; ++x) large.setPixel(x, y, qRgb(255, 255, 0));
  }
  TestBookContents contents;
  contents.pages = {Solid(320, 240, qRgb(10, 120, 30)), large};
  OpenFromCommandLine(Book("sizes.qbb", contents));
  const QRgb background = view->VIEW()->Background().rgb();

  // 320 x 240 in 638 x 478: its own size, centred at (159, 119).
  const QImage& small = view->VIEW()->Canvas();
  EXPECT_EQ(small.pixel(159, 119), qRgb(10, 120, 30));
  EXPECT_EQ(small.pixel(478, 358), qRgb(10, 120, 30));
  EXPECT_EQ(small.pixel(158, 119), background);
  EXPECT_EQ(small.pixel(159, 118), background);
  EXPECT_EQ(small.pixel(479, 358), background);
  EXPECT_EQ(small.pixel(478, 359), background);

  // 1280 x 960: fitted to the width, r = 638 / 1280 gives 638 x 478.
  view->BTN_Click(frmView::kNext);
  const QImage& fitted = view->VIEW()->Canvas();
  EXPECT_EQ(fitted.pixel(0, 0), qRgb(255, 255, 0)) << "the top rows land on the view's top row";
  EXPECT_EQ(fitted.pixel(0, 4), qRgb(0, 0, 200));
  EXPECT_EQ(fitted.pixel(0, 477), qRgb(0, 0, 200));
  EXPECT_EQ(fitted.pixel(300, 240), qRgb(0, 0, 200));
  EXPECT_EQ(fitted.pixel(340, 240), qRgb(200, 0, 0));
  EXPECT_EQ(fitted.pixel(637, 477), qRgb(200, 0, 0));
}

TEST_F(ViewWindow, ShrunkPagesKeepTheirThinDarkLines) {
  // 1600 x 1200, white with 1-pixel black lines every 16 pixels both ways.
  QImage grid = Solid(1600, 1200, qRgb(255, 255, 255));
  for (int y = 0; y < 1200; ++y) {
    for (int x = 0; x < 1600; ++x) {
      if (x % 16 == 0 || y % 16 == 0) grid.setPixel(x, y, qRgb(0, 0, 0));
    }
  }
  // Exactly twice the view's 638 x 478: F0F0F0 and 8F8F8F checkers.
  QImage checker(1276, 956, QImage::Format_RGB32);
  for (int y = 0; y < 956; ++y) {
    for (int x = 0; x < 1276; ++x)
      checker.setPixel(x, y, (x + y) % 2 ? qRgb(0x8F, 0x8F, 0x8F) : qRgb(0xF0, 0xF0, 0xF0));
  }
  TestBookContents contents;
  contents.pages = {grid, checker};
  OpenFromCommandLine(Book("lines.qbb", contents));

  // The grid fills 638 x 478: each of the 75 horizontal lines is a black
  // row, and every other row shows all 100 vertical lines.
  const QImage& shown = view->VIEW()->Canvas();
  int blackRows = 0;
  for (int y = 0; y < 478; ++y) {
    int black = 0;
    for (int x = 0; x < 638; ++x) black += shown.pixel(x, y) == qRgb(0, 0, 0);
    if (black == 638) {
      ++blackRows;
    } else {
      ASSERT_EQ(black, 100) << "row " << y;
    }
  }
  EXPECT_EQ(blackRows, 75);
  // And the view holds exactly what the rule makes of the page.
  QImage expected(638, 478, QImage::Format_RGB32);
  DrawPageIntoView(expected, grid, view->VIEW()->Background());
  EXPECT_EQ(shown, expected);

  view->BTN_Click(frmView::kNext);
  const QImage& halved = view->VIEW()->Canvas();
  for (int y = 0; y < 478; ++y) {
    for (int x = 0; x < 638; ++x) ASSERT_EQ(halved.pixel(x, y), qRgb(0x80, 0x80, 0x80)) << x << "," << y;
  }
}

TEST_F(ViewWindow, PagesWithoutPixelsClearTheView) {
  // A hand-made book: pages of 0 x 0, 1 x 1 and 2 x 3000 pixels.
  FakeSurface surface;
  PixelArray tall(2 * 3000, 0x000000);
  surface.pictures = {
      {u"empty", Picture(0, 0, {})}, {u"dot", Picture(1, 1, {0x336699})}, {u"tall", Picture(2, 3000, tall)}};
  BookRecord book;
  book.PageCount = 3;
  ASSERT_EQ(WriteBook(U16(dir / "odd.qbb"), book, {u"dot", u"empty", u"tall"}, surface), kWriteOk);
  OpenFromCommandLine(dir / "odd.qbb");
  const QRgb background = view->VIEW()->Background().rgb();
  // The 1 x 1 page at its own size in the middle: (638 - 1) / 2, (478 - 1) / 2.
  EXPECT_EQ(view->VIEW()->Canvas().pixel(318, 238), qRgb(0x33, 0x66, 0x99));

  for (int page = 2; page <= 3; ++page) {
    view->BTN_Click(frmView::kNext);
    ASSERT_EQ(view->CurrentPage(), page);
    const QImage& shown = view->VIEW()->Canvas();
    for (int y = 0; y < shown.height(); ++y) {
      for (int x = 0; x < shown.width(); ++x) ASSERT_EQ(shown.pixel(x, y), background) << page << ": " << x << "," << y;
    }
  }
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ViewWindow, BookCutShortAfterOpeningIsReportedAndShowsNoStalePage) {
  const fs::path path = PlainBook();
  OpenFromCommandLine(path);
  QImage empty(view->VIEW()->Canvas().size(), QImage::Format_RGB32);
  empty.fill(view->VIEW()->Background());
  ASSERT_NE(view->VIEW()->Canvas(), empty);
  const std::int32_t second = view->Book().PageTable[1];
  fs::resize_file(path, static_cast<std::uintmax_t>(second - 1 + 20));

  // Cut inside page 2, then gone altogether: each time the message, the
  // scroll bar on the page asked for, and no page in the view.
  for (const int page : {2, 1}) {
    if (page == 1) fs::remove(path);
    view->BTN_Click(page == 2 ? frmView::kNext : frmView::kPrev);
    EXPECT_EQ(view->PageScroll()->value(), page);
    EXPECT_EQ(view->VIEW()->Canvas(), empty) << page;
    ASSERT_EQ(boxes.Calls().size(), static_cast<std::size_t>(3 - page));
    EXPECT_EQ(boxes.Calls().back().text, kDamagedMessage);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  }
}

TEST_F(ViewWindow, TitleShowsBookTextsLiterally) {
  TestBookContents contents;
  contents.title = u"[*] Stars";
  contents.author = u"<b>Bo</b>";
  contents.pages = ColouredPages(1);
  OpenFromCommandLine(Book("stars.qbb", contents));
  ASSERT_NE(view->windowHandle(), nullptr);
  EXPECT_EQ(view->windowHandle()->title(), QStringLiteral("Quillberry:[[*] Stars/<b>Bo</b>]"));
}

}  // namespace
}  // namespace qb::test
