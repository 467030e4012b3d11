#include "tools/qbbtool/replacing_file.h"

#include <QSaveFile>

namespace qbbtool {

bool WriteFileReplacing(const std::string& path, const std::function<bool(QIODevice&)>& fill) {
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (!fill(file)) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

}  // namespace qbbtool
