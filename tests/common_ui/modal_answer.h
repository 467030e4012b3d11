#pragma once
// Answers a real modal window from inside its own event loop: polls until
// the modal window is of the wanted type, then acts on it once. The poll
// ends with the returned object, so a window that never shows up cannot be
// answered by accident in a later test.

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace qb::test {

class ModalAnswer {
 public:
  explicit ModalAnswer(std::unique_ptr<QTimer> timer) : timer_(std::move(timer)) {}

 private:
  std::unique_ptr<QTimer> timer_;
};

template <typename Window>
[[nodiscard]] ModalAnswer WhenModal(std::function<void(Window*)> action) {
  auto timer = std::make_unique<QTimer>();
  QTimer* poll = timer.get();
  QObject::connect(poll, &QTimer::timeout, [poll, action] {
    if (auto* window = qobject_cast<Window*>(QApplication::activeModalWidget())) {
      poll->stop();
      action(window);
    }
  });
  poll->start(10);
  return ModalAnswer(std::move(timer));
}

}  // namespace qb::test
