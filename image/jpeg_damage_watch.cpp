#include "image/jpeg_damage_watch.h"

#include <atomic>
#include <cstdio>
#include <cstring>

namespace qb {
namespace {

constexpr const char* kJpegCategory = "qt.gui.imageio.jpeg";

// Pictures are decoded on one thread at a time; the innermost watch of the
// thread gets its warnings.
thread_local JpegDamageWatch* current = nullptr;
// Where everything else goes: the handler before the outermost watch.
std::atomic<QtMessageHandler> forwardTo{nullptr};

}  // namespace

bool IsJpegDamageWarning(const QString& message) {
  if (message.startsWith(QLatin1String("Premature end of JPEG file"))) return true;
  return message.startsWith(QLatin1String("Corrupt JPEG data")) &&
         !message.contains(QLatin1String("extraneous bytes before marker"));
}

JpegDamageWatch::JpegDamageWatch() : outer_(current) {
  if (outer_ == nullptr) forwardTo = qInstallMessageHandler(Handle);
  current = this;
}

JpegDamageWatch::~JpegDamageWatch() {
  current = outer_;
  if (outer_ == nullptr) qInstallMessageHandler(forwardTo.load());
}

void JpegDamageWatch::Handle(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  JpegDamageWatch* watch = current;
  if (watch != nullptr && context.category != nullptr && std::strcmp(context.category, kJpegCategory) == 0 &&
      IsJpegDamageWarning(message)) {
    if (watch->damage_.isEmpty()) watch->damage_ = message;
    return;
  }
  if (const QtMessageHandler previous = forwardTo.load()) {
    previous(type, context, message);
  } else {
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
  }
}

}  // namespace qb
