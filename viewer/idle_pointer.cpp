#include "viewer/idle_pointer.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace qb::viewer {
namespace {

class TimerCountdown : public IdlePointer::Countdown {
 public:
  TimerCountdown() {
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { done_(); });
  }
  void Start(std::chrono::milliseconds time, std::function<void()> done) override {
    done_ = std::move(done);
    timer_.start(time);
  }
  void Stop() override { timer_.stop(); }

 private:
  QTimer timer_;
  std::function<void()> done_;
};

}  // namespace

IdlePointer::IdlePointer(QWidget& target, std::unique_ptr<Countdown> countdown)
    : QObject(&target),
      target_(target),
      countdown_(countdown ? std::move(countdown) : std::make_unique<TimerCountdown>()) {
  // Movements without a button held count too.
  target_.setMouseTracking(true);
  target_.installEventFilter(this);
  if (target_.isVisible()) Moved();
}

bool IdlePointer::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &target_) {
    switch (event->type()) {
      case QEvent::Show:
      case QEvent::MouseMove:
      case QEvent::MouseButtonPress:
      case QEvent::Wheel: Moved(); break;
      case QEvent::Hide:
        countdown_->Stop();
        Show();
        break;
      default: break;
    }
  }
  return QObject::eventFilter(watched, event);
}

void IdlePointer::Moved() {
  Show();
  countdown_->Start(kRestTime, [this] { Hide(); });
}

void IdlePointer::Show() {
  if (!hidden_) return;
  hidden_ = false;
  target_.unsetCursor();
}

void IdlePointer::Hide() {
  hidden_ = true;
  target_.setCursor(Qt::BlankCursor);
}

}  // namespace qb::viewer
