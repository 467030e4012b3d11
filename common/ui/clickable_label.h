#pragma once
// A label that reports clicks, for the home page and mail addresses that
// open in the desktop's browser and mail program.

#include <QLabel>

namespace qb {

class ClickableLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace qb
