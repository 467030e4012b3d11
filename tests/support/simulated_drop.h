#pragma once
// For tests: files dragged from a file manager and dropped on a window, as
// the window system delivers them (drag enter, then drop).

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>
#include <string>
#include <vector>

namespace qb {

struct DropOutcome {
  bool entered = false;  // the window took the drag
  bool dropped = false;  // and accepted the drop
};

// Drags the local files over target and, if it takes them, drops them.
// Posted events of target run before this returns.
inline DropOutcome SimulateFileDrop(QWidget* target, const std::vector<std::u16string>& files) {
  QMimeData data;
  QList<QUrl> urls;
  for (const std::u16string& file : files) urls.push_back(QUrl::fromLocalFile(QString::fromStdU16String(file)));
  data.setUrls(urls);
  const QPoint at = target->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  if (!enter.isAccepted()) return {};
  QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  QCoreApplication::sendPostedEvents(target);
  return {true, drop.isAccepted()};
}

}  // namespace qb
