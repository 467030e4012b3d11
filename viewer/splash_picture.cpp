#include "viewer/splash_picture.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "viewer/berry_drawing.h"

namespace qb::viewer {
namespace {

const QColor kBerryInk(110, 14, 48);

void DrawBackground(QPainter& p) {
  QLinearGradient paper(0, 0, 0, kSplashHeight);
  paper.setColorAt(0, QColor(255, 250, 236));
  paper.setColorAt(0.55, QColor(252, 236, 228));
  paper.setColorAt(1, QColor(244, 214, 222));
  p.fillRect(0, 0, kSplashWidth, kSplashHeight, paper);
  // Soft ink splashes in the corners.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(200, 60, 100, 28));
  p.drawEllipse(QPointF(18, 20), 30, 26);
  p.drawEllipse(QPointF(224, 150), 26, 30);
}

void DrawName(QPainter& p) {
  QFont font;
  font.setFamilies({"DejaVu Serif", "Serif"});
  font.setPixelSize(25);
  font.setBold(true);
  font.setItalic(true);
  QPainterPath name;
  name.addText(0, 0, font, QStringLiteral("Quillberry"));
  const QRectF bounds = name.boundingRect();
  name.translate((kSplashWidth - bounds.width()) / 2 - bounds.left(), 120 - bounds.bottom());
  p.setPen(QPen(QColor(255, 255, 255), 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(name);
  p.setPen(Qt::NoPen);
  p.setBrush(kBerryInk);
  p.drawPath(name);
}

// A flourish of ink under the version caption, ending in a drop.
void DrawFlourish(QPainter& p) {
  QPainterPath stroke;
  stroke.moveTo(24, 160);
  stroke.cubicTo(70, 146, 110, 174, 150, 158);
  stroke.cubicTo(180, 147, 200, 154, 214, 162);
  p.setPen(QPen(QColor(150, 90, 60, 170), 1.6, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawPath(stroke);
  p.setPen(Qt::NoPen);
  p.setBrush(kBerryInk);
  p.drawEllipse(QPointF(218, 164), 2.6, 2.6);
}

void DrawNoticePanel(QPainter& p) {
  p.setPen(QPen(QColor(200, 165, 130), 1.0));
  p.setBrush(QColor(255, 255, 255, 190));
  p.drawRoundedRect(QRectF(9.5, 177.5, 221, 94), 8, 8);
}

void DrawFrame(QPainter& p) {
  p.setPen(QPen(kBerryInk, 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(0.5, 0.5, kSplashWidth - 1, kSplashHeight - 1));
}

}  // namespace

QImage DrawSplashPicture() {
  QImage picture(kSplashWidth, kSplashHeight, QImage::Format_RGB32);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing, true);
  DrawBackground(painter);
  DrawBerryWithQuill(painter, QRectF(74, 4, 92, 92));
  DrawName(painter);
  DrawFlourish(painter);
  DrawNoticePanel(painter);
  DrawFrame(painter);
  return picture;
}

}  // namespace qb::viewer
