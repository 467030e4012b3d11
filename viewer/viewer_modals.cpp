#include "viewer/viewer_modals.h"

#include <QLabel>

#include "viewer/info_window.h"
#include "viewer/password_window.h"

namespace qb::viewer {

void QtViewerModals::RunPasswordPrompt(QWidget* owner, const QString& checkPass, const QString& priceLabel,
                                       std::int16_t& passCheckFlag) {
  frmPass prompt(passCheckFlag, owner);
  prompt.setCheckPass(checkPass);
  prompt.DSP[0]->setText(priceLabel);
  prompt.exec();
}

void QtViewerModals::RunInfoWindow(QWidget* owner, const BookRecord& book) {
  frmInfo info(owner);
  info.SetFields(book);
  info.exec();
}

}  // namespace qb::viewer
