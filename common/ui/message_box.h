#pragma once
// Modal message boxes for both programs, behind a seam so that tests answer
// them without a screen and can see what would have been shown.

#include <QString>

class QWidget;

namespace qb {

enum class MessageIcon { None, Information, Question, Critical };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageResult { Ok, Yes, No, Cancel };

struct MessageRequest {
  QWidget* owner = nullptr;
  QString text;
  QString title;
  MessageButtons buttons = MessageButtons::Ok;
  MessageIcon icon = MessageIcon::None;
};

class MessageBoxBackend {
 public:
  virtual ~MessageBoxBackend() = default;
  virtual MessageResult Show(const MessageRequest& request) = 0;
};

// The real boxes: modal over owner, plain text (a path is never read as
// markup), Japanese button captions; Yes/No starts on Yes and Esc answers No,
// Yes/No/Cancel starts on Yes and Esc answers Cancel.
class QtMessageBoxBackend : public MessageBoxBackend {
 public:
  MessageResult Show(const MessageRequest& request) override;
};

// Shows a box through the installed backend, or a real one when none is.
MessageResult ShowMessage(QWidget* owner, const QString& text, const QString& title,
                          MessageButtons buttons = MessageButtons::Ok, MessageIcon icon = MessageIcon::None);

// Installs a backend for its own lifetime and restores the previous one.
class ScopedMessageBoxBackend {
 public:
  explicit ScopedMessageBoxBackend(MessageBoxBackend& backend);
  ~ScopedMessageBoxBackend();
  ScopedMessageBoxBackend(const ScopedMessageBoxBackend&) = delete;
  ScopedMessageBoxBackend& operator=(const ScopedMessageBoxBackend&) = delete;

 private:
  MessageBoxBackend* previous_;
};

}  // namespace qb
