#pragma once
// The splash window frmStart: the emblem, the version and the rights
// notice, on top of every other window while the Viewer starts.

#include <QImage>
#include <QWidget>
#include <array>

class QLabel;

namespace qb::viewer {

class frmStart : public QWidget {
  Q_OBJECT

 public:
  explicit frmStart(QWidget* parent = nullptr);

  // Centres the splash on the screen, fills in its texts, shows it on top
  // and lets it paint, so that it stays on screen as painted while the
  // start procedure blocks.
  void Form_Load();

  // The version caption: index 1 in orange lies over index 0 in dark brown,
  // one pixel higher, so that the pair reads as a shadowed caption.
  std::array<QLabel*, 2> VerDsp{};
  // The rights notice.
  std::array<QLabel*, 1> DSP{};

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void WaitUntilPainted();

  QImage picture_;
};

}  // namespace qb::viewer
