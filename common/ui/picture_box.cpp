#include "common/ui/picture_box.h"

#include <QPainter>

namespace qb {

PictureBox::PictureBox(QWidget* parent) : QFrame(parent), background_(palette().color(QPalette::Base)) {
  FitCanvas();
  Clear();
}

void PictureBox::SetSunkenBorder(bool sunken) {
  setFrameStyle(sunken ? QFrame::Panel | QFrame::Sunken : QFrame::NoFrame);
  setLineWidth(sunken ? 2 : 0);
  FitCanvas();
}

void PictureBox::SetBackground(const QColor& colour) { background_ = colour; }

QImage& PictureBox::Canvas() {
  FitCanvas();
  return canvas_;
}

void PictureBox::Clear() {
  FitCanvas();
  canvas_.fill(background_);
}

void PictureBox::Refresh() { update(); }

void PictureBox::FitCanvas() {
  const QSize size = InnerSize().expandedTo(QSize(0, 0));
  if (canvas_.size() == size) return;
  QImage resized(size, QImage::Format_RGB32);
  resized.fill(background_);
  if (!canvas_.isNull()) {
    QPainter painter(&resized);
    painter.drawImage(0, 0, canvas_);
  }
  canvas_ = resized;
}

void PictureBox::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  painter.drawImage(contentsRect().topLeft(), canvas_);
}

void PictureBox::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  FitCanvas();
}

}  // namespace qb
