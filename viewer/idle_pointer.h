#pragma once
// Hides the pointer over a window once it has rested there for a while, so
// that it does not sit on the picture, and shows it again as soon as it
// moves. The window sets no pointer of its own.

#include <QObject>
#include <chrono>
#include <functional>
#include <memory>

class QWidget;

namespace qb::viewer {

class IdlePointer : public QObject {
  Q_OBJECT

 public:
  static constexpr std::chrono::milliseconds kRestTime{2000};

  // Counts the pointer's rest down; tests count it by hand.
  class Countdown {
   public:
    virtual ~Countdown() = default;
    // Calls done once time has passed; a second Start begins afresh.
    virtual void Start(std::chrono::milliseconds time, std::function<void()> done) = 0;
    virtual void Stop() = 0;
  };

  // Watches target, and lives as long as it does. Without a countdown the
  // rest is counted by a timer.
  explicit IdlePointer(QWidget& target, std::unique_ptr<Countdown> countdown = nullptr);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The pointer moved: shown, and its rest counted afresh.
  void Moved();
  void Show();
  void Hide();

  QWidget& target_;
  std::unique_ptr<Countdown> countdown_;
  bool hidden_ = false;
};

}  // namespace qb::viewer
