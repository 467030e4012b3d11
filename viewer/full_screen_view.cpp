#include "viewer/full_screen_view.h"

#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "image/view_drawing.h"

namespace qb::viewer {

FullScreenView::FullScreenView(QWidget* parent) : QWidget(parent, Qt::Window) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAcceptDrops(true);
  setFocusPolicy(Qt::StrongFocus);
  setAccessibleName(QStringLiteral("全画面表示"));
}

void FullScreenView::SetPage(const std::u16string& path, std::int32_t position) {
  path_ = path;
  position_ = position;
  if (isVisible()) {
    Redraw();
  } else {
    stale_ = true;
  }
}

void FullScreenView::ShowOn(QScreen* screen) {
  // The platform window exists before it is shown, so that it opens on
  // this screen and not where the window system would put a new window.
  winId();
  if (!screenChange_) {
    screenChange_ = connect(windowHandle(), &QWindow::screenChanged, this, &FullScreenView::FollowScreen);
  }
  windowHandle()->setScreen(screen);
  FollowScreen(screen);
  showFullScreen();
  raise();
  activateWindow();
}

void FullScreenView::FollowScreen(QScreen* screen) {
  disconnect(screenGeometry_);
  if (!screen) return;
  // A new size redraws through resizeEvent; a new density with the same
  // size through paintEvent.
  screenGeometry_ = connect(screen, &QScreen::geometryChanged, this, [this](const QRect& area) { setGeometry(area); });
  setGeometry(screen->geometry());
  update();
}

QSize FullScreenView::DeviceSize() const { return (QSizeF(size()) * devicePixelRatioF()).toSize(); }

void FullScreenView::Render() {
  stale_ = false;
  canvas_ = QImage(DeviceSize(), QImage::Format_RGB32);
  canvas_.setDevicePixelRatio(devicePixelRatioF());
  canvas_.fill(Qt::black);
  // A page that can no longer be read (the file changed since it was
  // opened) leaves the ground black.
  if (!path_.empty()) static_cast<void>(pageView_.Draw(path_, position_, canvas_, Qt::black, PlaceOnScreen));
}

void FullScreenView::Redraw() {
  Render();
  update();
}

void FullScreenView::paintEvent(QPaintEvent*) {
  if (stale_ || canvas_.size() != DeviceSize() || canvas_.devicePixelRatio() != devicePixelRatioF()) Render();
  QPainter painter(this);
  painter.drawImage(0, 0, canvas_);
}

void FullScreenView::resizeEvent(QResizeEvent*) { Redraw(); }

void FullScreenView::showEvent(QShowEvent*) {
  if (stale_) Render();
}

}  // namespace qb::viewer
