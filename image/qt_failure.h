#pragma once
// image/ words its reasons in Qt's strings; this turns one into the failed
// Outcome that common/outcome.h describes.

#include <QString>

#include "common/outcome.h"

namespace qb {

inline Outcome QtFailure(const QString& why) { return Outcome::Failure(why.toStdString()); }

}  // namespace qb
