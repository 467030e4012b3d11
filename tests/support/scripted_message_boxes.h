#pragma once
// Message boxes for tests: installed for the object's lifetime, records every
// box asked for and answers from a queue. A box without a queued answer gets
// what Esc gives: Ok for an OK box, No for a Yes/No box, Cancel for a
// Yes/No/Cancel box.

#include <QString>
#include <deque>
#include <vector>

#include "common/ui/message_box.h"

namespace qb {

class ScriptedMessageBoxes : public MessageBoxBackend {
 public:
  struct Call {
    QString text;
    QString title;
    MessageButtons buttons;
    MessageIcon icon;
    QWidget* owner;
  };

  ScriptedMessageBoxes() : scope_(*this) {}

  // Queues the answer of the next box.
  void Answer(MessageResult result) { answers_.push_back(result); }

  const std::vector<Call>& Calls() const { return calls_; }

  MessageResult Show(const MessageRequest& request) override {
    calls_.push_back({request.text, request.title, request.buttons, request.icon, request.owner});
    if (answers_.empty()) {
      switch (request.buttons) {
        case MessageButtons::Ok: return MessageResult::Ok;
        case MessageButtons::YesNo: return MessageResult::No;
        case MessageButtons::YesNoCancel: return MessageResult::Cancel;
      }
    }
    const MessageResult answer = answers_.front();
    answers_.pop_front();
    return answer;
  }

 private:
  std::deque<MessageResult> answers_;
  std::vector<Call> calls_;
  ScopedMessageBoxBackend scope_;
};

}  // namespace qb
