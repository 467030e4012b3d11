#pragma once
// The modal windows the main window opens: the password prompt and the
// information window. They run behind this interface so that tests can
// answer them without a modal event loop.

#include <QString>
#include <cstdint>

#include "book/book_record.h"

class QWidget;

namespace qb::viewer {

class ViewerModals {
 public:
  virtual ~ViewerModals() = default;

  // Shows the password prompt over owner until it closes. The prompt
  // expects checkPass, shows priceLabel, and writes its outcome into
  // passCheckFlag: kUnlocked for the right password, kLocked otherwise.
  virtual void RunPasswordPrompt(QWidget* owner, const QString& checkPass, const QString& priceLabel,
                                 std::int16_t& passCheckFlag) = 0;

  // Shows book's descriptive fields over owner until the window closes.
  virtual void RunInfoWindow(QWidget* owner, const BookRecord& book) = 0;
};

// The real windows, frmPass and frmInfo, each loaded for one showing.
class QtViewerModals : public ViewerModals {
 public:
  void RunPasswordPrompt(QWidget* owner, const QString& checkPass, const QString& priceLabel,
                         std::int16_t& passCheckFlag) override;
  void RunInfoWindow(QWidget* owner, const BookRecord& book) override;
};

}  // namespace qb::viewer
