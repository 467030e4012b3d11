#include "tools/qbbtool/qt_messages.h"

#include <QString>
#include <QtGlobal>
#include <iostream>

namespace qbbtool {
namespace {

void PrintFatalOnly(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtFatalMsg) std::cerr << "qbbtool: " << message.toStdString() << "\n";
}

}  // namespace

void SilenceQtMessages() { qInstallMessageHandler(PrintFatalOnly); }

}  // namespace qbbtool
