#pragma once
// The password prompt frmPass. It reports through the main window's
// PassCheckFlag: loading it locks the book, the right password unlocks it,
// and every other way of leaving it (cancel, Esc, the close box) keeps the
// book locked.

#include <QDialog>
#include <QString>
#include <array>
#include <cstdint>

class QLabel;
class QLineEdit;
class QPushButton;

namespace qb::viewer {

class frmPass : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kOk = 0;
  static constexpr int kCancel = 1;

  // Loading the prompt sets passCheckFlag to kLocked (viewer/pass_check.h).
  explicit frmPass(std::int16_t& passCheckFlag, QWidget* owner = nullptr);

  // The password the entry must equal exactly: letter case counts and
  // nothing typed is trimmed.
  void setCheckPass(const QString& password) { checkPass_ = password; }

  // OK compares the entry; a wrong password is reported and the prompt
  // stays open with the entry as typed. Cancel closes the prompt.
  void BTN_Click(int index);

  std::array<QLabel*, 2> LBL{};  // "価格", "パスワード"
  std::array<QLabel*, 1> DSP{};  // the price, set by the main window
  QLineEdit* FLD = nullptr;      // the entry, shown as "*"
  std::array<QPushButton*, 2> BTN{};

 public slots:
  // Esc and the close box cancel.
  void reject() override;

 private:
  std::int16_t& passCheckFlag_;
  QString checkPass_;
};

}  // namespace qb::viewer
