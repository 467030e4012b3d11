#pragma once
// A one-line text box whose length limit applies to what the author types
// or pastes, as the classic text box's maximum length did, while text the
// program sets is shown whole. So after an export the price box can show
// the price the book holds (100000 from "1E5") although only four
// characters can be typed into it. Typing never makes the text longer than
// the limit, or than it already is when the program set a longer one; a
// paste keeps as much of the pasted text as fits.

#include <QLineEdit>
#include <QValidator>

namespace qb::editor {

class LimitedLineEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit LimitedLineEdit(int limit, QWidget* parent = nullptr);

  int InputLimit() const { return limit_; }

  // Sets the text whole, past the limit if need be. (QLineEdit::setText
  // would have the limit cut it.)
  void ShowText(const QString& text);

 private:
  class LengthLimit : public QValidator {
   public:
    explicit LengthLimit(const LimitedLineEdit& edit) : QValidator(nullptr), edit_(edit) {}
    State validate(QString& input, int& pos) const override;

   private:
    const LimitedLineEdit& edit_;
  };

  int limit_;
  int lengthBefore_ = 0;  // the text's length before the change being validated
  bool showingWhole_ = false;
  LengthLimit validator_;
};

}  // namespace qb::editor
