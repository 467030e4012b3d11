#pragma once
// Shell hand-over for tests: installed for the object's lifetime, records
// what would have been opened instead of starting a browser or mail program.

#include <QString>
#include <QUrl>
#include <vector>

#include "common/ui/shell_open.h"

namespace qb {

class RecordingShellOpen : public ShellOpenBackend {
 public:
  RecordingShellOpen() : scope_(*this) {}

  void Open(const QString& target, const QUrl& url) override {
    targets_.push_back(target);
    urls_.push_back(url);
  }

  // The targets handed over, as the callers gave them.
  const std::vector<QString>& Targets() const { return targets_; }
  // The addresses the desktop would have received.
  const std::vector<QUrl>& Urls() const { return urls_; }

 private:
  std::vector<QString> targets_;
  std::vector<QUrl> urls_;
  ScopedShellOpenBackend scope_;
};

}  // namespace qb
