#include "common/ui/wait_until_exposed.h"

#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace qb {
namespace {

// Ends a local event loop at the window's first expose.
class ExposeWatch : public QObject {
 public:
  ExposeWatch(QWindow& window, QEventLoop& loop) : window_(window), loop_(loop) { window_.installEventFilter(this); }
  ~ExposeWatch() override { window_.removeEventFilter(this); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_ && event->type() == QEvent::Expose) {
      // The window becomes exposed once the event has been handled.
      QTimer::singleShot(0, &loop_, [this] {
        if (window_.isExposed()) loop_.quit();
      });
    }
    return false;
  }

 private:
  QWindow& window_;
  QEventLoop& loop_;
};

}  // namespace

bool WaitUntilExposed(QWidget& window, std::chrono::milliseconds limit) {
  if (!window.isVisible()) window.show();
  QWindow* handle = window.windowHandle();
  if (handle == nullptr) return false;
  if (handle->isExposed()) return true;
  QEventLoop loop;
  const ExposeWatch watch(*handle, loop);
  QTimer::singleShot(limit, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  return handle->isExposed();
}

}  // namespace qb
