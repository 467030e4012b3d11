#pragma once
// The Viewer's main window frmView: opens one book at a time (from the
// command line or the open dialog), shows its pages one at a time scaled
// into VIEW, pages with PREV, NEXT and the scroll bar, and keeps a
// protected book on its first page until its password has been given.
// The reader's keys, the mouse wheel over the page and a book file dropped
// on the window lead to the same steps as the buttons and the scroll bar,
// and so obey the same lock. F11 or a double-click on the page shows the
// page across the window's screen (FullScreenView); there the same keys,
// wheel and drops act, and the window itself is left exactly as it was.

#include <QWidget>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "book/book_record.h"
#include "common/settings.h"
#include "image/book_page_view.h"
#include "viewer/page_keys.h"
#include "viewer/pass_check.h"
#include "viewer/wheel_steps.h"

class QScrollBar;
class QToolButton;

namespace qb {
class FileTypeStore;
class PictureBox;
}  // namespace qb

namespace qb::viewer {

class FullScreenView;
class ViewerModals;

// What the window takes from the program around it.
struct ViewerEnvironment {
  std::u16string programFolder;  // where the book type's handler lives
  FileTypeStore& fileTypes;      // where the book type is registered
  ViewerModals& modals;          // the password prompt and the information window
};

class frmView : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kOpen = 0;
  static constexpr int kPrev = 1;
  static constexpr int kNext = 2;
  static constexpr int kInfo = 3;

  // settings: the Viewer's settings, kept (and saved) by the window for the
  // rest of the run.
  frmView(ViewerSettings settings, ViewerEnvironment environment);

  // Registers the book type, then opens the book the command-line
  // arguments (after the program name) name as one path, if any: the window
  // is shown first, and the password gate follows.
  void Form_Load(const std::vector<std::u16string>& arguments);

  void BTN_Click(int index);
  void PageScroll_Change();

  void OpenBook(const std::u16string& path);
  bool SelectBookFile();
  void AskPassword();
  void DrawPage(std::int16_t index);
  void StepPage(std::int16_t direction);
  void UpdateNavigation();

  // Shows the page across the window's screen, and back in the window.
  void EnterFullScreen();
  void LeaveFullScreen();
  bool IsFullScreen() const;
  FullScreenView* FullScreen() const { return fullScreen_; }

  // kLocked (only page 1 may be shown) or kUnlocked (viewer/pass_check.h).
  // Decided by AskPassword; the password prompt it opens writes it.
  std::int16_t PassCheckFlag() const { return passCheckFlag_; }

  const BookRecord& Book() const { return book_; }
  const std::u16string& BookPath() const { return bookPath_; }
  std::int16_t CurrentPage() const { return currentPage_; }
  const ViewerSettings& Settings() const { return settings_; }

  QToolButton* BTN(int index) const { return buttons_.at(static_cast<std::size_t>(index)); }
  QScrollBar* PageScroll() const { return pageScroll_; }
  PictureBox* VIEW() const { return view_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // Opens a book the user chose (by the dialog or by a drop) and remembers
  // its folder for the next dialog.
  void OpenChosenBook(const std::u16string& path);
  // Runs what a reader's key stands for; false for keys that stand for nothing.
  bool RunPageKey(PageKeyAction action);
  // Moves the scroll bar to page as a scroll by the user would: not while
  // the book is locked, when the bar is disabled.
  void ScrollToPage(int page);
  // Sets the scroll bar to page and draws it, also when the bar already
  // stands there.
  void ShowScrollPage(int page);
  void ToggleFullScreen();
  // What prompts, messages and dialogs open over: the full-screen page
  // while it is shown, otherwise this window.
  QWidget* DialogOwner();
  // The message for a file that is damaged or not a book.
  void ShowDamagedMessage();

  ViewerSettings settings_;
  ViewerEnvironment environment_;
  std::array<QToolButton*, 4> buttons_{};
  QScrollBar* pageScroll_ = nullptr;
  PictureBox* view_ = nullptr;
  std::int16_t passCheckFlag_ = kLocked;
  BookRecord book_;
  std::u16string bookPath_;
  std::int16_t currentPage_ = 1;
  WheelSteps wheel_;
  BookPageView pageView_;  // keeps its working memory between pages
  FullScreenView* fullScreen_ = nullptr;
};

}  // namespace qb::viewer
