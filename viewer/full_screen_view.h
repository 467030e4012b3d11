#pragma once
// The page across a whole screen: a window of its own, shown full screen on
// the screen the main window is on, holding nothing but the page on a black
// ground (image/screen_fit.h says where). It draws the page the main window
// shows, straight from the book, in the screen's own pixels, and draws it
// again whenever its screen changes size, density or identity. Keys, the
// wheel, double-clicks and drops are the main window's business: it watches
// this window's events. The pointer hides while it rests (IdlePointer).

#include <QImage>
#include <QMetaObject>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>

#include "viewer/idle_pointer.h"
#include "viewer/page_painter.h"

class QScreen;

namespace qb::viewer {

class FullScreenView : public QWidget {
  Q_OBJECT

 public:
  // parent: the main window, which this window stays over and closes with.
  // pointerRest: counts how long the pointer has rested before it hides
  // (a timer when none is given).
  explicit FullScreenView(QWidget* parent, std::unique_ptr<IdlePointer::Countdown> pointerRest = nullptr);

  // Shows the page at the 1-based position of the book at path; an empty
  // path shows the black ground alone. Drawn now when shown, otherwise on
  // showing.
  void SetPage(const std::u16string& path, std::int32_t position);

  // With a partner page (its 1-based position, 0 for none) the page is shown
  // beside it as one spread, the partner on the left or on the right. Takes
  // effect with the next SetPage.
  void SetPartner(std::int32_t partnerPosition, bool partnerOnLeft);
  void SetSmoothShrink(bool on) { pageView_.SetSmoothShrink(on); }

  // Covers the whole of screen, full screen, and keeps following the screen
  // it is on.
  void ShowOn(QScreen* screen);

  // What is on screen, in the screen's own pixels.
  const QImage& Canvas() const { return canvas_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QSize DeviceSize() const;
  // Draws the canvas afresh at the window's present size and density.
  void Render();
  void Redraw();  // renders and shows
  void FollowScreen(QScreen* screen);

  std::u16string path_;
  std::int32_t position_ = 0;
  QImage canvas_;
  bool stale_ = true;  // the page changed while hidden
  std::int32_t partner_ = 0;
  bool partnerOnLeft_ = false;
  PagePainter pageView_;
  QMetaObject::Connection screenGeometry_;
  QMetaObject::Connection screenChange_;
};

}  // namespace qb::viewer
