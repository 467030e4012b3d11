#include "common/ui/message_box.h"

#include <QMessageBox>
#include <QPushButton>

namespace qb {
namespace {

MessageBoxBackend* installedBackend = nullptr;

QMessageBox::Icon QtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

MessageResult QtMessageBoxBackend::Show(const MessageRequest& request) {
  QString text = request.text;
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QMessageBox box(QtIcon(request.icon), request.title, text, QMessageBox::NoButton, request.owner);
  box.setTextFormat(Qt::PlainText);
  if (request.buttons == MessageButtons::Ok) {
    box.addButton(QMessageBox::Ok);
    box.exec();
    return MessageResult::Ok;
  }
  QPushButton* yes = box.addButton(QMessageBox::Yes);
  QPushButton* no = box.addButton(QMessageBox::No);
  yes->setText(QStringLiteral("はい(&Y)"));
  no->setText(QStringLiteral("いいえ(&N)"));
  box.setDefaultButton(yes);
  QPushButton* cancel = nullptr;
  if (request.buttons == MessageButtons::YesNoCancel) {
    cancel = box.addButton(QMessageBox::Cancel);
    cancel->setText(QStringLiteral("キャンセル"));
  }
  box.setEscapeButton(cancel != nullptr ? cancel : no);
  box.exec();
  if (box.clickedButton() == yes) return MessageResult::Yes;
  if (box.clickedButton() == no) return MessageResult::No;
  return cancel != nullptr ? MessageResult::Cancel : MessageResult::No;
}

MessageResult ShowMessage(QWidget* owner, const QString& text, const QString& title, MessageButtons buttons,
                          MessageIcon icon) {
  const MessageRequest request{owner, text, title, buttons, icon};
  if (installedBackend != nullptr) return installedBackend->Show(request);
  QtMessageBoxBackend real;
  return real.Show(request);
}

ScopedMessageBoxBackend::ScopedMessageBoxBackend(MessageBoxBackend& backend) : previous_(installedBackend) {
  installedBackend = &backend;
}

ScopedMessageBoxBackend::~ScopedMessageBoxBackend() { installedBackend = previous_; }

}  // namespace qb
