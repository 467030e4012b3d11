#pragma once
// A picture box that keeps what is drawn into it (a persistent image) until
// it is cleared, optionally inside the standard sunken border. The drawing
// area is the box minus its border.

#include <QColor>
#include <QFrame>
#include <QImage>

namespace qb {

class PictureBox : public QFrame {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent = nullptr);

  // The sunken 3D border takes two pixels on every side.
  void SetSunkenBorder(bool sunken);
  void SetBackground(const QColor& colour);
  QColor Background() const { return background_; }

  // The persistent image, always the size of the drawing area in the
  // screen's own pixels (its device pixel ratio is the screen's).
  QImage& Canvas();
  QSize InnerSize() const { return contentsRect().size(); }

  void Clear();    // fills the drawing area with the background colour
  void Refresh();  // shows what was drawn into the canvas

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void FitCanvas();

  QColor background_;
  QImage canvas_;
};

}  // namespace qb
