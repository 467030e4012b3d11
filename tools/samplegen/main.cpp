// Draws the pictures of the bundled sample book: a short story of a berry
// with a quill, painted with QPainter so the sample is entirely our own.
// Usage: qb_samplegen OUTPUT_FOLDER   (writes page01.bmp ... page06.bmp)
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <cstdlib>
#include <iostream>

namespace {

constexpr int kWidth = 600;
constexpr int kHeight = 450;

struct Scene {
  QColor skyTop;
  QColor skyBottom;
  QColor hills;
  bool night;
  QPointF berry;  // centre of the hero
  double berryScale;
  const char* caption;
};

void DrawSky(QPainter& p, const Scene& s) {
  QLinearGradient sky(0, 0, 0, kHeight);
  sky.setColorAt(0, s.skyTop);
  sky.setColorAt(1, s.skyBottom);
  p.fillRect(0, 0, kWidth, kHeight, sky);
  if (s.night) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 220));
    for (int i = 0; i < 40; ++i) {
      const double x = std::fmod(i * 137.5, kWidth);
      const double y = std::fmod(i * 71.3, kHeight * 0.5);
      p.drawEllipse(QPointF(x, y), 1.5, 1.5);
    }
    p.drawEllipse(QPointF(480, 80), 36, 36);
    p.setBrush(s.skyTop);
    p.drawEllipse(QPointF(495, 70), 32, 32);
  } else {
    QRadialGradient sun(QPointF(500, 80), 60);
    sun.setColorAt(0, QColor(255, 250, 200));
    sun.setColorAt(1, QColor(255, 200, 60, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(500, 80), 60, 60);
  }
}

void DrawHills(QPainter& p, const Scene& s) {
  QPainterPath back;
  back.moveTo(0, 300);
  back.cubicTo(150, 230, 300, 330, 450, 260);
  back.cubicTo(520, 230, 580, 250, kWidth, 270);
  back.lineTo(kWidth, kHeight);
  back.lineTo(0, kHeight);
  p.setPen(Qt::NoPen);
  p.setBrush(s.hills.darker(130));
  p.drawPath(back);
  QPainterPath front;
  front.moveTo(0, 360);
  front.cubicTo(200, 300, 400, 400, kWidth, 330);
  front.lineTo(kWidth, kHeight);
  front.lineTo(0, kHeight);
  p.setBrush(s.hills);
  p.drawPath(front);
}

// The hero: a raspberry-like berry holding a quill.
void DrawBerry(QPainter& p, const Scene& s) {
  p.save();
  p.translate(s.berry);
  p.scale(s.berryScale, s.berryScale);
  p.setPen(QPen(QColor(120, 20, 50), 2));
  for (int row = 0; row < 4; ++row) {
    for (int col = 0; col <= row + 1; ++col) {
      const double x = (col - (row + 1) / 2.0) * 22;
      const double y = -30 + row * 20;
      QRadialGradient drupe(QPointF(x - 4, y - 4), 14);
      drupe.setColorAt(0, QColor(255, 120, 150));
      drupe.setColorAt(1, QColor(200, 30, 80));
      p.setBrush(drupe);
      p.drawEllipse(QPointF(x, y), 13, 13);
    }
  }
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(60, 150, 60));
  for (int leaf = -1; leaf <= 1; ++leaf) {
    p.save();
    p.translate(leaf * 12, -46);
    p.rotate(leaf * 35);
    p.drawEllipse(QPointF(0, -8), 6, 14);
    p.restore();
  }
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(-10, -6), 6, 7);
  p.drawEllipse(QPointF(10, -6), 6, 7);
  p.setBrush(Qt::black);
  p.drawEllipse(QPointF(-9, -5), 3, 4);
  p.drawEllipse(QPointF(11, -5), 3, 4);
  p.setPen(QPen(Qt::black, 2));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(-8, 2, 16, 10), 200 * 16, 140 * 16);
  // The quill.
  p.setPen(QPen(QColor(90, 60, 30), 3));
  p.drawLine(QPointF(34, 30), QPointF(70, -40));
  QPainterPath feather;
  feather.moveTo(70, -40);
  feather.cubicTo(95, -70, 80, -100, 66, -110);
  feather.cubicTo(60, -80, 50, -60, 58, -20);
  feather.closeSubpath();
  p.setPen(QPen(QColor(80, 80, 120), 1));
  p.setBrush(QColor(235, 240, 255));
  p.drawPath(feather);
  p.restore();
}

void DrawCaption(QPainter& p, const char* caption) {
  QFont font;
  font.setFamilies({"IPAPGothic", "IPAGothic", "Noto Sans CJK JP", "Sans Serif"});
  font.setPixelSize(24);
  font.setBold(true);
  p.setFont(font);
  const QRect box(20, kHeight - 70, kWidth - 40, 54);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 210));
  p.drawRoundedRect(box, 12, 12);
  p.setPen(QColor(70, 40, 20));
  p.drawText(box, Qt::AlignCenter, QString::fromUtf8(caption));
}

QImage DrawPage(const Scene& s) {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  DrawSky(p, s);
  DrawHills(p, s);
  DrawBerry(p, s);
  DrawCaption(p, s.caption);
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "Usage: qb_samplegen OUTPUT_FOLDER\n";
    return 1;
  }
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  const Scene scenes[] = {
      {QColor(120, 190, 255),
       QColor(220, 240, 255),
       QColor(110, 190, 90),
       false,
       {300, 200},
       1.6,
       "くいるべりーの ぼうけん"},
      {QColor(255, 190, 120),
       QColor(255, 235, 200),
       QColor(140, 180, 80),
       false,
       {150, 260},
       1.0,
       "あさ、べりーは はねペンを みつけました。"},
      {QColor(100, 170, 240),
       QColor(200, 230, 255),
       QColor(90, 170, 100),
       false,
       {320, 240},
       1.1,
       "「これで おはなしを かこう！」"},
      {QColor(90, 120, 200),
       QColor(240, 170, 140),
       QColor(100, 140, 90),
       false,
       {450, 250},
       0.9,
       "やまを こえて、もりを ぬけて。"},
      {QColor(20, 30, 80),
       QColor(70, 60, 130),
       QColor(40, 70, 60),
       true,
       {250, 250},
       1.2,
       "よるには ほしに おはなしを よみました。"},
      {QColor(120, 190, 255), QColor(255, 250, 230), QColor(120, 200, 100), false, {300, 220}, 1.5, "おしまい"},
  };
  const QDir out(QString::fromLocal8Bit(argv[1]));
  if (!QDir().mkpath(out.path())) {
    std::cerr << "qb_samplegen: cannot create " << argv[1] << "\n";
    return 1;
  }
  int number = 1;
  for (const Scene& scene : scenes) {
    const QString path = out.filePath(QString("page%1.bmp").arg(number++, 2, 10, QChar('0')));
    if (!DrawPage(scene).save(path, "BMP")) {
      std::cerr << "qb_samplegen: cannot write " << path.toStdString() << "\n";
      return 1;
    }
  }
  return 0;
}
