#include "common/ui/shell_open.h"

#include <QDesktopServices>
#include <QUrlQuery>

namespace qb {
namespace {

ShellOpenBackend* installedBackend = nullptr;

bool IsOpenableScheme(const QString& scheme) {
  return scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("ftp") ||
         scheme == QLatin1String("mailto");
}

// A book's mail address may carry fields for the new mail. Mail programs
// also honour fields such as "attach" that would reach local files, so only
// the subject and the body go along.
void KeepHarmlessMailFields(QUrl& url) {
  if (!url.hasQuery()) return;
  const QUrlQuery fields(url);
  QUrlQuery kept;
  for (const auto& [name, value] : fields.queryItems(QUrl::FullyEncoded)) {
    const QString lower = name.toLower();
    if (lower == QLatin1String("subject") || lower == QLatin1String("body")) kept.addQueryItem(name, value);
  }
  if (kept.isEmpty()) {
    url.setQuery(QString());
  } else {
    url.setQuery(kept);
  }
}

}  // namespace

void DesktopShellOpenBackend::Open(const QString&, const QUrl& url) { QDesktopServices::openUrl(url); }

QUrl ShellUrlFor(const QString& target) {
  const QString trimmed = target.trimmed();
  if (trimmed.isEmpty()) return {};
  const QLatin1String mailPrefix("mailto:");
  QUrl url;
  if (trimmed.startsWith(mailPrefix, Qt::CaseInsensitive)) {
    url = QUrl(QStringLiteral("mailto:") + trimmed.mid(mailPrefix.size()).trimmed(), QUrl::TolerantMode);
    KeepHarmlessMailFields(url);
  } else {
    url = QUrl::fromUserInput(trimmed);
  }
  if (!url.isValid() || !IsOpenableScheme(url.scheme())) return {};
  return url;
}

void ShellOpen(const QString& target) {
  const QUrl url = ShellUrlFor(target);
  if (url.isEmpty()) return;
  if (installedBackend != nullptr) {
    installedBackend->Open(target, url);
    return;
  }
  DesktopShellOpenBackend desktop;
  desktop.Open(target, url);
}

ScopedShellOpenBackend::ScopedShellOpenBackend(ShellOpenBackend& backend) : previous_(installedBackend) {
  installedBackend = &backend;
}

ScopedShellOpenBackend::~ScopedShellOpenBackend() { installedBackend = previous_; }

}  // namespace qb
