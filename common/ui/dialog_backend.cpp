#include "common/ui/dialog_backend.h"

#include "common/ui/qt_dialog_backend.h"

namespace qb {
namespace {

DialogBackend* installedBackend = nullptr;

}  // namespace

DialogBackend& CurrentDialogBackend() {
  if (installedBackend != nullptr) return *installedBackend;
  static QtDialogBackend real;
  return real;
}

ScopedDialogBackend::ScopedDialogBackend(DialogBackend& backend) : previous_(installedBackend) {
  installedBackend = &backend;
}

ScopedDialogBackend::~ScopedDialogBackend() { installedBackend = previous_; }

}  // namespace qb
