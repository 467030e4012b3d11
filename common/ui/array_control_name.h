#pragma once
// The name a control of an indexed control array goes by at run time
// ("BTN(9)"), as the windows' designs name them, so findChild and widget
// inspectors reach it.

#include <QString>

namespace qb {

inline QString ArrayControlName(const char* array, int index) {
  return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(index);
}

}  // namespace qb
