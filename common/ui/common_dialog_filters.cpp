#include "common/ui/common_dialog_filters.h"

namespace qb {

QStringList NameFiltersFromApiFilter(const QString& apiFilter) {
  const QStringList parts = apiFilter.split(QChar(u'\0'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString& description = parts[i];
    const QString& patternList = parts[i + 1];
    if (description.isEmpty() || patternList.isEmpty()) break;
    QStringList patterns;
    for (const QString& pattern : patternList.split(u';', Qt::SkipEmptyParts)) {
      const QString trimmed = pattern.trimmed();
      if (!trimmed.isEmpty()) patterns << (trimmed == QLatin1String("*.*") ? QStringLiteral("*") : trimmed);
    }
    if (patterns.isEmpty()) break;
    filters << description + QStringLiteral(" (") + patterns.join(u' ') + u')';
  }
  return filters;
}

QString SelectedNameFilter(const QStringList& nameFilters, int filterIndex) {
  if (nameFilters.isEmpty()) return {};
  return filterIndex >= 1 && filterIndex <= nameFilters.size() ? nameFilters[filterIndex - 1] : nameFilters.front();
}

}  // namespace qb
