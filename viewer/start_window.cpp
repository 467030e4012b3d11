#include "viewer/start_window.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QThread>
#include <QWindow>

#include "common/ui/japanese_font.h"
#include "viewer/screen_centre.h"
#include "viewer/splash_picture.h"
#include "viewer/splash_texts.h"

namespace qb::viewer {
namespace {

// How long the splash may take to reach the screen after it is shown; a
// window manager maps it in a few milliseconds.
constexpr qint64 kMapWaitMs = 500;

QLabel* TransparentLabel(QWidget* parent, const QRect& geometry, const QColor& colour) {
  auto* label = new QLabel(parent);
  label->setGeometry(geometry);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, colour);
  label->setPalette(palette);
  return label;
}

}  // namespace

frmStart::frmStart(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      picture_(DrawSplashPicture()) {
  setFixedSize(kSplashWidth, kSplashHeight);
  setWindowTitle(QString());
  // Created first, so the orange caption created after it lies on top.
  VerDsp[0] = TransparentLabel(this, QRect(88, 128, 145, 17), QColor(0x80, 0x40, 0x00));
  VerDsp[1] = TransparentLabel(this, QRect(88, 127, 145, 17), QColor(0xFF, 0x80, 0x00));
  DSP[0] = TransparentLabel(this, QRect(16, 184, 209, 81), QColor(40, 24, 24));
  DSP[0]->setWordWrap(true);
  DSP[0]->setFont(JapaneseFont(8.25));
}

void frmStart::Form_Load() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) move(CentredTopLeft(screen->geometry(), size()));
  DSP[0]->setText(QString::fromStdU16String(RightsNotice()));
  VerDsp[0]->setText(QString::fromStdU16String(VersionCaption()));
  VerDsp[1]->setText(VerDsp[0]->text());
  show();
  WaitUntilPainted();
}

void frmStart::WaitUntilPainted() {
  QCoreApplication::processEvents();
  QElapsedTimer waited;
  waited.start();
  while (windowHandle() != nullptr && !windowHandle()->isExposed() && waited.elapsed() < kMapWaitMs) {
    QThread::msleep(5);
    QCoreApplication::processEvents();
  }
  repaint();
  QCoreApplication::processEvents();
}

void frmStart::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, picture_);
}

}  // namespace qb::viewer
