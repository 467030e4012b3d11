#include "viewer/view_window.h"

#include <QApplication>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>
#include <cstdlib>

#include "book/book_reader.h"
#include "common/command_line_path.h"
#include "common/file_type_association.h"
#include "common/path_helpers.h"
#include "common/text_helpers.h"
#include "common/ui/array_control_name.h"
#include "common/ui/common_dialog.h"
#include "common/ui/common_dialog_codes.h"
#include "common/ui/dropped_files.h"
#include "common/ui/message_box.h"
#include "common/ui/picture_box.h"
#include "common/ui/wait_until_exposed.h"
#include "viewer/button_pictures.h"
#include "viewer/full_screen_view.h"
#include "viewer/page_key_events.h"
#include "viewer/page_navigation.h"
#include "viewer/price_label.h"
#include "viewer/viewer_icon.h"
#include "viewer/viewer_modals.h"
#include "viewer/window_title.h"

namespace qb::viewer {
namespace {

// How long a window manager may take to place the window.
constexpr std::chrono::milliseconds kPlacementWait{2000};

// The hourglass for as long as one page is being drawn.
class BusyCursor {
 public:
  BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

QString Text(std::u16string_view text) { return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())); }

// A window title shows "[*]" only when it is doubled; single ones are the
// placeholder for unsaved changes. Book titles are shown as they are.
QString LiteralWindowTitle(const std::u16string& title) {
  return Text(title).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
}

constexpr std::u16string_view kBookExtension = u".qbb";

std::u16string DroppedBook(const QMimeData* data) {
  return FirstWithExtension(DroppedLocalFiles(data), kBookExtension);
}

}  // namespace

frmView::frmView(ViewerSettings settings, ViewerEnvironment environment)
    : settings_(std::move(settings)), environment_(environment) {
  setObjectName(QStringLiteral("frmView"));
  setWindowTitle(Text(kProgramTitle));
  setWindowIcon(ViewerIcon());
  setFixedSize(656, 529);

  struct ButtonLayout {
    const char* caption;
    ButtonPicture picture;
    int x;
    const char16_t* toolTip;  // what it does and the keys that do the same
  };
  const ButtonLayout layout[] = {{"OPEN", ButtonPicture::Open, 0, u"ブックを開く（Ctrl+O）"},
                                 {"PREV", ButtonPicture::Previous, 72, u"前のページ（←、Page Up、Backspace）"},
                                 {"NEXT", ButtonPicture::Next, 136, u"次のページ（→、Page Down、Space）"},
                                 {"INFO", ButtonPicture::Info, 584, u"ブックの情報（Ctrl+I）"}};
  for (int i = 0; i < static_cast<int>(buttons_.size()); ++i) {
    auto* button = new QToolButton(this);
    button->setObjectName(ArrayControlName("BTN", i));
    button->setText(QString::fromLatin1(layout[i].caption));
    button->setIcon(ButtonIcon(layout[i].picture));
    button->setIconSize(QSize(16, 16));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setGeometry(layout[i].x, 0, 65, 41);
    button->setAccessibleName(button->text());
    button->setToolTip(Text(layout[i].toolTip));
    connect(button, &QToolButton::clicked, this, [this, i] { BTN_Click(i); });
    buttons_[i] = button;
  }

  pageScroll_ = new QScrollBar(Qt::Horizontal, this);
  pageScroll_->setObjectName(QStringLiteral("PageScroll"));
  pageScroll_->setGeometry(208, 8, 353, 25);
  pageScroll_->setRange(1, 1);
  pageScroll_->setValue(1);
  pageScroll_->setSingleStep(1);
  pageScroll_->setPageStep(1);
  pageScroll_->setFocusPolicy(Qt::StrongFocus);
  // A page is read when the thumb is let go, not for every page it passes.
  pageScroll_->setTracking(false);
  connect(pageScroll_, &QScrollBar::valueChanged, this, [this] { PageScroll_Change(); });
  pageScroll_->setAccessibleName(QStringLiteral("ページ"));

  view_ = new PictureBox(this);
  view_->setObjectName(QStringLiteral("VIEW"));
  view_->SetSunkenBorder(true);
  view_->setGeometry(8, 44, 642, 482);
  view_->SetBackground(palette().color(QPalette::Base));
  view_->Clear();
  view_->setFocusPolicy(Qt::TabFocus);
  view_->setAccessibleName(QStringLiteral("ページ表示"));

  // The reader's keys reach the window whichever control has the focus
  // (the scroll bar would take the arrows otherwise); a focused button
  // keeps Space and Return for itself.
  for (QWidget* control : {static_cast<QWidget*>(buttons_[kOpen]), static_cast<QWidget*>(buttons_[kPrev]),
                           static_cast<QWidget*>(buttons_[kNext]), static_cast<QWidget*>(buttons_[kInfo]),
                           static_cast<QWidget*>(pageScroll_), static_cast<QWidget*>(view_)}) {
    control->installEventFilter(this);
  }
  setAcceptDrops(true);

  fullScreen_ = new FullScreenView(this);
  fullScreen_->setWindowTitle(windowTitle());
  fullScreen_->setWindowIcon(windowIcon());
  fullScreen_->installEventFilter(this);

  setTabOrder(buttons_[kOpen], pageScroll_);
  setTabOrder(pageScroll_, view_);
  setTabOrder(view_, buttons_[kPrev]);
  setTabOrder(buttons_[kPrev], buttons_[kNext]);
  setTabOrder(buttons_[kNext], buttons_[kInfo]);
}

void frmView::Form_Load(const std::vector<std::u16string>& arguments) {
  RegisterBookType(environment_.fileTypes, environment_.programFolder);
  const std::u16string path = CommandLinePath(arguments);
  if (path.empty()) return;
  // On screen before the book is read and before any password prompt, and
  // where the window manager finally placed it: the prompt and the message
  // box are centred over it.
  show();
  WaitUntilExposed(*this, kPlacementWait);
  OpenBook(path);
  AskPassword();
}

void frmView::BTN_Click(int index) {
  switch (index) {
    case kOpen:
      if (SelectBookFile()) AskPassword();
      break;
    case kPrev: StepPage(-1); break;
    case kNext: StepPage(+1); break;
    case kInfo: environment_.modals.RunInfoWindow(DialogOwner(), book_); break;
    default: break;
  }
}

void frmView::OpenBook(const std::u16string& path) {
  bookPath_ = path;
  currentPage_ = 1;
  BookRecord read;
  if (ReadBookHeader(path, read) != kBookSound) {
    // A rejected file leaves no book open. Keeping the previous record (not
    // a book) or the rejected file's own header and page table (check
    // failed), as the reader leaves them, would make the password gate
    // that follows ask for the previous book's password and let PREV/NEXT
    // read pages of the rejected file. With the record and the path
    // forgotten, the gate finds no password, PREV/NEXT stay on the single
    // scroll position, INFO shows empty fields, and no page is read until a
    // book is accepted. The title bar and the view keep what they showed.
    book_ = BookRecord{};
    bookPath_.clear();
    {
      const QSignalBlocker quiet(pageScroll_);
      pageScroll_->setMaximum(1);
      pageScroll_->setValue(1);
    }
    ShowDamagedMessage();
    return;
  }
  book_ = std::move(read);
  currentPage_ = 1;
  setWindowTitle(LiteralWindowTitle(BookWindowTitle(book_)));
  fullScreen_->setWindowTitle(windowTitle());
  {
    // Narrowing the range must not draw a page on its way; page 1 is drawn next.
    const QSignalBlocker quiet(pageScroll_);
    pageScroll_->setMaximum(book_.PageCount);
  }
  ShowScrollPage(currentPage_);
}

bool frmView::SelectBookFile() {
  clsCommonDialog dialog;
  dialog.setHwndOwner(DialogOwner());
  dialog.setInitDir(Text(settings_.lastFolder));
  dialog.setDialogTitle(QStringLiteral("クイルベリーブック"));
  dialog.setFilter(QStringLiteral("ｸｲﾙﾍﾞﾘｰﾌﾞｯｸ") + QChar(u'\0') + QStringLiteral("*.qbb") + QChar(u'\0'));
  dialog.setFlags(static_cast<std::int32_t>(dialog_codes::kOfnFileMustExist | dialog_codes::kOfnHideReadOnly));
  dialog.ShowOpen();
  const std::u16string fileName = dialog.FileName().toStdU16String();
  if (fileName.empty()) return false;
  OpenChosenBook(fileName);
  return true;
}

void frmView::OpenChosenBook(const std::u16string& path) {
  // OpenBook keeps the path of an accepted book only (see there).
  OpenBook(path);
  settings_.lastFolder = FolderOfPath(path);
  // Unwritable settings cost only the remembered values; nothing is shown.
  static_cast<void>(SaveViewerSettings(settings_));
}

void frmView::AskPassword() {
  const std::u16string password = Trim(book_.Password);
  if (password.empty()) {
    passCheckFlag_ = kUnlocked;
  } else {
    passCheckFlag_ = kLocked;
    environment_.modals.RunPasswordPrompt(DialogOwner(), Text(password), Text(FormatPriceLabel(book_.Price)),
                                          passCheckFlag_);
  }
  UpdateNavigation();
}

void frmView::UpdateNavigation() {
  const bool unlocked = IsUnlocked(passCheckFlag_);
  buttons_[kPrev]->setEnabled(unlocked);
  buttons_[kNext]->setEnabled(unlocked);
  pageScroll_->setEnabled(unlocked);
}

void frmView::StepPage(std::int16_t direction) {
  if (!IsUnlocked(passCheckFlag_)) return;
  currentPage_ = static_cast<std::int16_t>(SteppedPage(currentPage_, direction, book_.PageCount));
  pageScroll_->setValue(currentPage_);
}

void frmView::PageScroll_Change() {
  const int showable = ShowablePage(pageScroll_->value(), passCheckFlag_);
  if (showable != pageScroll_->value()) {
    const QSignalBlocker quiet(pageScroll_);
    pageScroll_->setValue(showable);
  }
  currentPage_ = static_cast<std::int16_t>(pageScroll_->value());
  DrawPage(static_cast<std::int16_t>(currentPage_ - 1));
}

void frmView::ShowScrollPage(int page) {
  if (pageScroll_->value() == page) {
    PageScroll_Change();
  } else {
    pageScroll_->setValue(page);
  }
}

void frmView::DrawPage(std::int16_t index) {
  // Only entries of the open book's page table are ever read.
  if (bookPath_.empty() || index < 0 || index >= static_cast<int>(book_.PageTable.size())) return;
  // Straight from the book into the view. A record that cannot be read (the
  // book changed since it was opened) leaves the view and the full screen
  // empty, so that neither shows a page other than the one the scroll bar
  // names, and the book is reported damaged.
  const std::int32_t position = book_.PageTable[static_cast<std::size_t>(index)];
  BookStatus drawn = kBookSound;
  {
    const BusyCursor busy;
    drawn = pageView_.Draw(bookPath_, position, view_->Canvas(), view_->Background());
    view_->Refresh();
    fullScreen_->SetPage(bookPath_, position);
  }
  if (drawn != kBookSound) ShowDamagedMessage();
}

void frmView::ShowDamagedMessage() {
  ShowMessage(DialogOwner(), QStringLiteral("ファイルが壊れているか、デジタルブックではありません。"),
              Text(kProgramTitle), MessageButtons::Ok, MessageIcon::None);
}

void frmView::EnterFullScreen() {
  if (IsFullScreen()) return;
  fullScreen_->ShowOn(screen());
}

void frmView::LeaveFullScreen() {
  if (!IsFullScreen()) return;
  // The window was never moved or resized: it only comes back to the front.
  fullScreen_->hide();
  raise();
  activateWindow();
}

bool frmView::IsFullScreen() const { return fullScreen_->isVisible(); }

void frmView::ToggleFullScreen() {
  if (IsFullScreen()) {
    LeaveFullScreen();
  } else {
    EnterFullScreen();
  }
}

QWidget* frmView::DialogOwner() { return IsFullScreen() ? static_cast<QWidget*>(fullScreen_) : this; }

bool frmView::RunPageKey(PageKeyAction action) {
  switch (action) {
    case PageKeyAction::Previous: StepPage(-1); return true;
    case PageKeyAction::Next: StepPage(+1); return true;
    case PageKeyAction::First: ScrollToPage(pageScroll_->minimum()); return true;
    case PageKeyAction::Last: ScrollToPage(pageScroll_->maximum()); return true;
    case PageKeyAction::Open: BTN_Click(kOpen); return true;
    case PageKeyAction::Info: BTN_Click(kInfo); return true;
    case PageKeyAction::FullScreen: ToggleFullScreen(); return true;
    case PageKeyAction::None: return false;
  }
  return false;
}

void frmView::ScrollToPage(int page) {
  if (!IsUnlocked(passCheckFlag_)) return;
  pageScroll_->setValue(page);
}

bool frmView::eventFilter(QObject* watched, QEvent* event) {
  const bool onPage = watched == view_ || watched == fullScreen_;
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (watched == fullScreen_ && key->key() == Qt::Key_Escape) {
      LeaveFullScreen();
      return true;
    }
    auto* button = qobject_cast<QToolButton*>(watched);
    if (button && PressesFocusedButton(*key)) {
      // A tool button presses on Space itself but ignores Return.
      if (key->key() == Qt::Key_Space || key->key() == Qt::Key_Select) return false;
      if (!key->isAutoRepeat()) button->click();
      return true;
    }
    if (RunPageKey(PageKeyFor(*key))) return true;
  } else if (event->type() == QEvent::Wheel && onPage) {
    auto* wheel = static_cast<QWheelEvent*>(event);
    const int steps = wheel_.Add(wheel->angleDelta().y());
    for (int i = 0; i < std::abs(steps); ++i) StepPage(steps < 0 ? -1 : +1);
    wheel->accept();
    return true;
  } else if (event->type() == QEvent::MouseButtonDblClick && onPage &&
             static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    ToggleFullScreen();
    return true;
  } else if (event->type() == QEvent::DragEnter && watched == fullScreen_) {
    dragEnterEvent(static_cast<QDragEnterEvent*>(event));
    return true;
  } else if (event->type() == QEvent::Drop && watched == fullScreen_) {
    dropEvent(static_cast<QDropEvent*>(event));
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void frmView::keyPressEvent(QKeyEvent* event) {
  if (!RunPageKey(PageKeyFor(*event))) QWidget::keyPressEvent(event);
}

void frmView::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedBook(event->mimeData()).empty()) event->acceptProposedAction();
}

void frmView::dropEvent(QDropEvent* event) {
  const std::u16string path = DroppedBook(event->mimeData());
  if (path.empty()) return;
  event->acceptProposedAction();
  // Opened once the drop has returned: the program the file came from waits
  // for the drop to end, and must not wait for the password prompt too.
  QMetaObject::invokeMethod(
      this,
      [this, path] {
        OpenChosenBook(path);
        AskPassword();
      },
      Qt::QueuedConnection);
}

}  // namespace qb::viewer
