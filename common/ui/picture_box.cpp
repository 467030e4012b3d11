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
  // On a high-density screen the canvas has the screen's own pixels, so a
  // page drawn into it is not enlarged a second time on its way out.
  const qreal ratio = devicePixelRatioF();
  const QSize size = (QSizeF(InnerSize().expandedTo(QSize(0, 0))) * ratio).toSize();
  if (canvas_.size() == size && canvas_.devicePixelRatio() == ratio) return;
  QImage resized(size, QImage::Format_RGB32);
  resized.setDevicePixelRatio(ratio);
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
