#include "viewer/reading_companion.h"

#include <QActionGroup>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>
#include <QToolButton>
#include <filesystem>

#include "book/book_reader.h"
#include "common/text_helpers.h"
#include "common/ui/picture_box.h"
#include "common/utf8.h"
#include "viewer/book_identity.h"
#include "viewer/full_screen_view.h"
#include "viewer/page_key_events.h"
#include "viewer/page_navigation.h"
#include "viewer/page_overview.h"
#include "viewer/page_painter.h"
#include "viewer/pass_check.h"
#include "viewer/reading_order.h"
#include "viewer/spread_rules.h"
#include "viewer/view_window.h"

namespace qb::viewer {
namespace {

// What the reader did is written once they have stayed on a page this
// long (or leave the book or the program first), so leafing through a book
// does not rewrite the settings file for every page.
constexpr int kPlaceSaveDelayMs = 1000;

QString Text(std::u16string_view text) { return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())); }

bool OpensMenu(const QKeyEvent& key) {
  return (key.key() == Qt::Key_Menu && !(key.modifiers() & ~Qt::KeypadModifier)) ||
         (key.key() == Qt::Key_F10 && key.modifiers() == Qt::ShiftModifier);
}

}  // namespace

ReadingCompanion::ReadingCompanion(frmView& view, FullScreenView& fullScreen, PagePainter& painter,
                                   std::u16string settingsPath)
    : QObject(&view),
      view_(view),
      fullScreen_(fullScreen),
      painter_(painter),
      settingsPath_(std::move(settingsPath)),
      options_(LoadReaderOptions(settingsPath_)) {
  painter_.SetSmoothShrink(options_.smoothShrink);
  fullScreen_.SetSmoothShrink(options_.smoothShrink);
  saveDelay_.setSingleShot(true);
  saveDelay_.setInterval(kPlaceSaveDelayMs);
  connect(&saveDelay_, &QTimer::timeout, this, &ReadingCompanion::SaveReading);
  connect(&slideshow_, &QTimer::timeout, this, &ReadingCompanion::AdvanceSlideshow);
  for (QObject* watched : std::initializer_list<QObject*>{
           &view_, view_.VIEW(), view_.PageScroll(), view_.BTN(frmView::kOpen), view_.BTN(frmView::kPrev),
           view_.BTN(frmView::kNext), view_.BTN(frmView::kInfo), &fullScreen_}) {
    watched->installEventFilter(this);
  }
}

ReadingCompanion::~ReadingCompanion() { SaveReading(); }

void ReadingCompanion::BookOpening() {
  SaveReading();
  StopSlideshow();
  book_.reset();
  remembered_.reset();
  keeping_ = false;
  wide_.clear();
  wideRead_ = false;
  fullScreen_.SetPartner(0, false);
  if (overview_) overview_->close();
}

void ReadingCompanion::BookOpened() {
  const std::u16string& path = view_.BookPath();
  if (path.empty()) return;
  book_ = IdentifyBook(path);
  remembered_ = RememberedPage(LoadReadingPlaces(settingsPath_), *book_);
  unsavedRecent_ = RecentBook{path, Trim(view_.Book().Title)};
  saveDelay_.start();
}

void ReadingCompanion::PasswordSettled() {
  if (!book_ || keeping_ || !IsUnlocked(view_.PassCheckFlag())) return;
  keeping_ = true;
  if (options_.resumeOnOpen) Resume();
}

void ReadingCompanion::PageShowing(int page) {
  UpdatePartner(page);
  if (!keeping_) return;
  unsaved_ = ReadingPlace{*book_, page};
  saveDelay_.start();
}

void ReadingCompanion::SaveReading() {
  saveDelay_.stop();
  // Unwritable settings cost only the lists; nothing is shown.
  if (unsavedRecent_) static_cast<void>(SaveRecentBook(settingsPath_, *unsavedRecent_));
  if (unsaved_) static_cast<void>(SaveReadingPlace(settingsPath_, *unsaved_));
  unsavedRecent_.reset();
  unsaved_.reset();
}

std::optional<int> ReadingCompanion::ResumablePage() const {
  if (!book_) return std::nullopt;
  return viewer::ResumablePage(remembered_, view_.Book().PageCount, view_.PassCheckFlag());
}

void ReadingCompanion::Resume() {
  if (const std::optional<int> page = ResumablePage()) view_.PageScroll()->setValue(*page);
}

bool ReadingCompanion::ShowsSpreads() const {
  return options_.spreads && view_.IsFullScreen() && !view_.BookPath().empty();
}

int ReadingCompanion::SteppedPage(int current, int direction) const {
  if (ShowsSpreads()) return SteppedSpreadPage(current, direction, const_cast<ReadingCompanion*>(this)->WidePages());
  return viewer::SteppedPage(current, direction, view_.Book().PageCount);
}

const std::vector<bool>& ReadingCompanion::WidePages() {
  if (!wideRead_) {
    wideRead_ = true;
    wide_.clear();
    for (const std::int32_t position : view_.Book().PageTable) {
      PageImage page;
      // A page whose size cannot be read stands alone.
      wide_.push_back(ReadPageHeader(view_.BookPath(), page, position) != kBookSound || page.Width > page.Height);
    }
  }
  return wide_;
}

void ReadingCompanion::UpdatePartner(int page) {
  if (!ShowsSpreads()) {
    fullScreen_.SetPartner(0, false);
    return;
  }
  const Spread spread = SpreadAt(page, WidePages());
  if (spread.first == spread.last) {
    fullScreen_.SetPartner(0, false);
    return;
  }
  const int partner = page == spread.first ? spread.last : spread.first;
  const int left = options_.rightToLeft ? spread.last : spread.first;
  fullScreen_.SetPartner(view_.Book().PageTable[static_cast<std::size_t>(partner - 1)], partner == left);
}

void ReadingCompanion::Refresh() {
  if (!view_.BookPath().empty()) view_.PageScroll_Change();
}

void ReadingCompanion::SetOptions(const ReaderOptions& options) {
  const ReaderOptions old = options_;
  options_ = options;
  painter_.SetSmoothShrink(options_.smoothShrink);
  fullScreen_.SetSmoothShrink(options_.smoothShrink);
  // Unwritable settings cost only the remembered choice; nothing is shown.
  static_cast<void>(SaveReaderOptions(settingsPath_, options_));
  if (old.smoothShrink != options_.smoothShrink || old.spreads != options_.spreads ||
      old.rightToLeft != options_.rightToLeft) {
    Refresh();
  }
}

void ReadingCompanion::StartSlideshow(int seconds) {
  if (view_.BookPath().empty() || !IsUnlocked(view_.PassCheckFlag())) return;
  slideshow_.start(seconds * 1000);
}

void ReadingCompanion::StopSlideshow() { slideshow_.stop(); }

void ReadingCompanion::AdvanceSlideshow() {
  const int before = view_.CurrentPage();
  view_.StepPage(+1);
  const int now = view_.CurrentPage();
  if (now == before || SteppedPage(now, +1) == now) StopSlideshow();
}

void ReadingCompanion::ShowOverview() {
  if (view_.BookPath().empty()) return;
  if (overview_) overview_->close();
  overview_ = new PageOverview(view_.BookPath(), view_.Book().PageTable, view_.CurrentPage(),
                               IsUnlocked(view_.PassCheckFlag()), options_.smoothShrink, MenuOwner());
  // The scroll bar's own rule decides again: a locked book stays on page 1.
  connect(overview_, &PageOverview::pageChosen, this, [this](int page) { view_.PageScroll()->setValue(page); });
  overview_->setWindowModality(Qt::WindowModal);
  overview_->show();
}

std::vector<RecentBook> ReadingCompanion::RecentBooks() const {
  std::vector<RecentBook> books = LoadRecentBooks(settingsPath_);
  return unsavedRecent_ ? AddRecentBook(std::move(books), *unsavedRecent_) : books;
}

void ReadingCompanion::ClearRecent() {
  unsavedRecent_.reset();
  // Unwritable settings keep the list; nothing is shown.
  static_cast<void>(ClearRecentBooks(settingsPath_));
}

PageOverview* ReadingCompanion::Overview() const { return overview_; }

void ReadingCompanion::OpenRecent(const std::u16string& path) {
  // A rejected book leaves the open one as it was, its lock included.
  if (view_.OpenBook(path)) view_.AskPassword();
}

void ReadingCompanion::EnterPassword() {
  StopSlideshow();
  view_.AskPassword();
}

QWidget* ReadingCompanion::MenuOwner() const {
  return view_.IsFullScreen() ? static_cast<QWidget*>(&fullScreen_) : static_cast<QWidget*>(&view_);
}

std::unique_ptr<QMenu> ReadingCompanion::BuildMenu() {
  auto menu = std::make_unique<QMenu>(MenuOwner());
  menu->setObjectName(QStringLiteral("ReaderMenu"));
  const bool hasBook = !view_.BookPath().empty();
  const bool unlocked = IsUnlocked(view_.PassCheckFlag());
  const auto toggle = [this, &menu](const QString& text, bool ReaderOptions::*option) {
    QAction* action = menu->addAction(text);
    action->setCheckable(true);
    action->setChecked(options_.*option);
    connect(action, &QAction::toggled, this, [this, option](bool on) {
      ReaderOptions changed = options_;
      changed.*option = on;
      SetOptions(changed);
    });
  };

  const std::optional<int> resumable = ResumablePage();
  QAction* resume = menu->addAction(resumable ? QStringLiteral("続きから (%1ページ)(&C)").arg(*resumable)
                                              : QStringLiteral("続きから(&C)"));
  resume->setEnabled(resumable.has_value());
  connect(resume, &QAction::triggered, this, &ReadingCompanion::Resume);
  toggle(QStringLiteral("開いたときに続きから表示(&A)"), &ReaderOptions::resumeOnOpen);

  QMenu* recent = menu->addMenu(QStringLiteral("最近開いた本(&R)"));
  const std::vector<RecentBook> books = RecentBooks();
  for (std::size_t i = 0; i < books.size(); ++i) {
    const QString key = i < 9 ? QStringLiteral("&%1 ").arg(i + 1) : QStringLiteral("1&0 ");
    QAction* action = recent->addAction(key + Text(RecentBookLabel(books[i])));
    std::error_code error;
    action->setEnabled(std::filesystem::is_regular_file(ToPath(books[i].path), error));
    connect(action, &QAction::triggered, this, [this, path = books[i].path] { OpenRecent(path); });
  }
  if (books.empty()) recent->addAction(QStringLiteral("（なし）"))->setEnabled(false);
  recent->addSeparator();
  QAction* clear = recent->addAction(QStringLiteral("履歴を消去(&X)"));
  clear->setEnabled(!books.empty());
  connect(clear, &QAction::triggered, this, &ReadingCompanion::ClearRecent);

  menu->addSeparator();
  QAction* overview = menu->addAction(QStringLiteral("ページ一覧(&G)..."));
  overview->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
  overview->setEnabled(hasBook);
  connect(overview, &QAction::triggered, this, &ReadingCompanion::ShowOverview);

  menu->addSeparator();
  toggle(QStringLiteral("見開き表示(&D)"), &ReaderOptions::spreads);
  toggle(QStringLiteral("右から左へ読む(&L)"), &ReaderOptions::rightToLeft);
  QMenu* slideshow = menu->addMenu(QStringLiteral("スライドショー(&S)"));
  slideshow->setEnabled(hasBook && unlocked && view_.Book().PageCount > 1);
  auto* intervals = new QActionGroup(slideshow);
  for (const int seconds : kSlideshowSeconds) {
    // Each one's own digit: 3, 5, 1 and 0.
    QString label = QStringLiteral("%1 秒").arg(seconds);
    label.insert(seconds == 30 ? 1 : 0, u'&');
    QAction* action = slideshow->addAction(label);
    action->setCheckable(true);
    action->setChecked(SlideshowRunning() && slideshow_.interval() == seconds * 1000);
    action->setActionGroup(intervals);
    connect(action, &QAction::triggered, this, [this, seconds] { StartSlideshow(seconds); });
  }
  slideshow->addSeparator();
  QAction* stop = slideshow->addAction(QStringLiteral("停止(&T)"));
  stop->setEnabled(SlideshowRunning());
  connect(stop, &QAction::triggered, this, &ReadingCompanion::StopSlideshow);
  toggle(QStringLiteral("なめらかに縮小(&M)"), &ReaderOptions::smoothShrink);

  menu->addSeparator();
  QAction* password = menu->addAction(QStringLiteral("パスワードを入力(&P)..."));
  password->setEnabled(hasBook && !unlocked && !Trim(view_.Book().Password).empty());
  connect(password, &QAction::triggered, this, &ReadingCompanion::EnterPassword);
  return menu;
}

void ReadingCompanion::PopUpMenu(const QPoint& globalPosition) {
  QMenu* menu = BuildMenu().release();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(globalPosition);
}

bool ReadingCompanion::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress: {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (SlideshowRunning()) {
        StopSlideshow();
        return true;
      }
      if (OpensMenu(*key)) {
        QWidget* page = view_.IsFullScreen() ? static_cast<QWidget*>(&fullScreen_) : view_.VIEW();
        PopUpMenu(page->mapToGlobal(page->rect().center()));
        return true;
      }
      if (key->key() == Qt::Key_G && key->modifiers() == Qt::ControlModifier) {
        ShowOverview();
        return true;
      }
      const PageKeyAction ordered =
          OrderedPageKey(ReaderKeyOf(key->key()), KeyModifiersOf(key->modifiers()), options_.rightToLeft);
      if (ordered != PageKeyFor(*key)) {
        view_.StepPage(ordered == PageKeyAction::Next ? +1 : -1);
        return true;
      }
      break;
    }
    case QEvent::MouseButtonPress:
      if (SlideshowRunning()) {
        StopSlideshow();
        return true;
      }
      break;
    case QEvent::ContextMenu:
      if (watched == view_.VIEW() || watched == &fullScreen_) {
        PopUpMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
      }
      break;
    case QEvent::Show:
    case QEvent::Hide:
      // Spreads come and go with full screen.
      if (watched == &fullScreen_ && options_.spreads) Refresh();
      break;
    default: break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace qb::viewer
