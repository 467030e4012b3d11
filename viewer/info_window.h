#pragma once
// The information window frmInfo: the open book's author, title, home page,
// mail address and comment. Clicking the home page opens it, clicking the
// mail address starts a new mail to it.

#include <QDialog>
#include <array>

#include "book/book_record.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace qb {
class ClickableLabel;
}

namespace qb::viewer {

class frmInfo : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kCloseButton = 9;

  explicit frmInfo(QWidget* owner = nullptr);

  // DSP 0 to 3 and the comment box: Author, Title, Url, Mail and Comment as
  // the book holds them (fixed-width fields keep their blanks, the comment
  // its line breaks).
  void SetFields(const BookRecord& book);

  // The home page (2) and mail (3) labels hand their address to the shell;
  // the others do nothing.
  void DSP_Click(int index);
  // The close button (9) closes the window.
  void BTN_Click(int index);

  std::array<QLabel*, 5> LBL{};
  std::array<ClickableLabel*, 4> DSP{};
  // DSP index 4: a comment of any length is read by scrolling (bar, wheel,
  // keys); the box is read-only.
  QPlainTextEdit* CommentBox = nullptr;
  QPushButton* CloseButton = nullptr;  // BTN index 9, the window's only button
};

}  // namespace qb::viewer
