#include "viewer/button_pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace qb::viewer {
namespace {

// Each picture is drawn in a 16 x 16 design space and scaled to the size asked for.

void DrawFolder(QPainter& p) {
  const QPen outline(QColor(130, 95, 10), 1.0);
  QPainterPath back;
  back.moveTo(1.5, 3.5);
  back.lineTo(6.0, 3.5);
  back.lineTo(7.5, 5.0);
  back.lineTo(14.5, 5.0);
  back.lineTo(14.5, 13.5);
  back.lineTo(1.5, 13.5);
  back.closeSubpath();
  p.setPen(outline);
  p.setBrush(QColor(222, 170, 40));
  p.drawPath(back);
  QPainterPath front;
  front.moveTo(1.5, 13.5);
  front.lineTo(3.5, 7.5);
  front.lineTo(15.5, 7.5);
  front.lineTo(14.5, 13.5);
  front.closeSubpath();
  QLinearGradient light(0, 7.5, 0, 13.5);
  light.setColorAt(0, QColor(255, 225, 120));
  light.setColorAt(1, QColor(240, 190, 60));
  p.setBrush(light);
  p.drawPath(front);
}

void DrawArrow(QPainter& p, bool pointsLeft) {
  QPainterPath arrow;
  arrow.moveTo(1.5, 8.0);
  arrow.lineTo(8.0, 1.5);
  arrow.lineTo(8.0, 5.0);
  arrow.lineTo(14.5, 5.0);
  arrow.lineTo(14.5, 11.0);
  arrow.lineTo(8.0, 11.0);
  arrow.lineTo(8.0, 14.5);
  arrow.closeSubpath();
  if (!pointsLeft) arrow = QTransform(-1, 0, 0, 1, 16, 0).map(arrow);
  QLinearGradient green(0, 2, 0, 14);
  green.setColorAt(0, QColor(120, 200, 120));
  green.setColorAt(1, QColor(30, 130, 60));
  p.setPen(QPen(QColor(20, 90, 40), 1.0));
  p.setBrush(green);
  p.drawPath(arrow);
}

void DrawInfo(QPainter& p) {
  QLinearGradient blue(0, 1, 0, 15);
  blue.setColorAt(0, QColor(100, 160, 240));
  blue.setColorAt(1, QColor(30, 80, 190));
  p.setPen(QPen(QColor(20, 50, 130), 1.0));
  p.setBrush(blue);
  p.drawEllipse(QPointF(8, 8), 6.8, 6.8);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(8, 4.6), 1.3, 1.3);
  p.drawRoundedRect(QRectF(6.9, 6.7, 2.2, 6.0), 0.6, 0.6);
}

}  // namespace

QImage DrawButtonPicture(ButtonPicture picture, int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.scale(size / 16.0, size / 16.0);
  switch (picture) {
    case ButtonPicture::Open: DrawFolder(painter); break;
    case ButtonPicture::Previous: DrawArrow(painter, true); break;
    case ButtonPicture::Next: DrawArrow(painter, false); break;
    case ButtonPicture::Info: DrawInfo(painter); break;
  }
  return image;
}

QIcon ButtonIcon(ButtonPicture picture) {
  QIcon icon;
  for (const int size : {16, 32}) icon.addPixmap(QPixmap::fromImage(DrawButtonPicture(picture, size)));
  return icon;
}

}  // namespace qb::viewer
