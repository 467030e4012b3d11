#pragma once
// Hands a home page or "MailTo:" address to the desktop (browser, mail
// program). Addresses come from book files, so only web and mail addresses
// are handed over: a book cannot make the reader open local files or run
// programs by its home page field.

#include <QString>
#include <QUrl>

namespace qb {

class ShellOpenBackend {
 public:
  virtual ~ShellOpenBackend() = default;
  // target as given by the caller, url what the desktop receives.
  virtual void Open(const QString& target, const QUrl& url) = 0;
};

// The desktop's URL handler; its outcome is not reported.
class DesktopShellOpenBackend : public ShellOpenBackend {
 public:
  void Open(const QString& target, const QUrl& url) override;
};

// The address the desktop is given for target: "MailTo:" (any letter case)
// makes a mailto: address, "MailTo:" alone a new mail without recipient;
// anything else is read as a web address as a browser's address bar would.
// Empty when there is nothing to open or the address is neither http(s),
// ftp nor mailto.
QUrl ShellUrlFor(const QString& target);

// Opens target through the installed backend, or the desktop when none is.
void ShellOpen(const QString& target);

// Installs a backend for its own lifetime and restores the previous one.
class ScopedShellOpenBackend {
 public:
  explicit ScopedShellOpenBackend(ShellOpenBackend& backend);
  ~ScopedShellOpenBackend();
  ScopedShellOpenBackend(const ScopedShellOpenBackend&) = delete;
  ScopedShellOpenBackend& operator=(const ScopedShellOpenBackend&) = delete;

 private:
  ShellOpenBackend* previous_;
};

}  // namespace qb
