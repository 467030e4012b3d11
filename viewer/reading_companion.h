#pragma once
// What the reader's context menu adds around the page viewer window, which
// itself stays as it is: going on where a book was left, the books opened
// lately, the page overview, spreads and right-to-left order in full
// screen, the slideshow, giving a password after the prompt was cancelled,
// and smooth shrinking. The menu opens on the page (right click, the Menu
// key, Shift+F10), in the window and in full screen alike; Ctrl+G opens
// the overview. With every entry left as it is, the window behaves exactly
// as without them. The window tells the companion what happens to its book
// (the hooks below); the companion acts through the window's own steps, so
// the password gate holds for everything it does.

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "viewer/reader_settings.h"
#include "viewer/reading_places.h"

class QMenu;

namespace qb::viewer {

class frmView;
class FullScreenView;
class PageOverview;
class PagePainter;

class ReadingCompanion : public QObject {
  Q_OBJECT

 public:
  static constexpr int kSlideshowSeconds[] = {3, 5, 10, 30};

  // painter: the one the window draws its pages with.
  ReadingCompanion(frmView& view, FullScreenView& fullScreen, PagePainter& painter, std::u16string settingsPath);
  ~ReadingCompanion() override;

  // Hooks of the window. BookOpening: a sound book is about to replace the
  // one shown (the place in that one is saved; a rejected file never gets
  // here); BookOpened: the new book shows page 1; PasswordSettled: the password gate has decided; PageShowing:
  // page is about to be drawn.
  void BookOpening();
  void BookOpened();
  void PasswordSettled();
  void PageShowing(int page);
  // The page one step (-1, +1) from current: by spreads while they are shown.
  int SteppedPage(int current, int direction) const;

  // The menu as it stands now, for the page.
  std::unique_ptr<QMenu> BuildMenu();
  void PopUpMenu(const QPoint& globalPosition);

  // The page the book may go on from: the one it was left at last time,
  // while the book is unlocked.
  std::optional<int> ResumablePage() const;
  void Resume();

  void ShowOverview();
  PageOverview* Overview() const;

  void StartSlideshow(int seconds);
  void StopSlideshow();
  bool SlideshowRunning() const { return slideshow_.isActive(); }
  // One turn of the slideshow: the next page, stopping at the last.
  void AdvanceSlideshow();

  const ReaderOptions& Options() const { return options_; }
  void SetOptions(const ReaderOptions& options);
  // Whether two pages are shown at a time now (spreads, in full screen).
  bool ShowsSpreads() const;

  // Writes what is still to be remembered (the book opened, the page it
  // shows) now rather than after the delay.
  void SaveReading();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OpenRecent(const std::u16string& path);
  std::vector<RecentBook> RecentBooks() const;
  void ClearRecent();
  void EnterPassword();
  // Shows the page again the way the options and the screen now ask for.
  void Refresh();
  void UpdatePartner(int page);
  const std::vector<bool>& WidePages();
  QWidget* MenuOwner() const;

  frmView& view_;
  FullScreenView& fullScreen_;
  PagePainter& painter_;
  std::u16string settingsPath_;
  ReaderOptions options_;
  std::optional<BookIdentity> book_;         // the open book
  bool keeping_ = false;                     // its place is kept: it was unlocked
  std::optional<int> remembered_;            // where it was left last time
  std::optional<ReadingPlace> unsaved_;      // the place not written yet
  std::optional<RecentBook> unsavedRecent_;  // the book opened, not written yet
  std::vector<bool> wide_;                   // which pages are wider than tall, read when spreads need it
  bool wideRead_ = false;
  QTimer saveDelay_;
  QTimer slideshow_;
  QPointer<PageOverview> overview_;
};

}  // namespace qb::viewer
