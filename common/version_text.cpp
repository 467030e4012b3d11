#include "common/version_text.h"

#include "common/utf8.h"
#include "version.h"

namespace qb {

std::u16string VersionNumberText(int major, int minor, int revision) {
  return FromUtf8(std::to_string(major) + "." + std::to_string(minor) + std::to_string(revision));
}

std::u16string VersionNumberText() { return VersionNumberText(kVersionMajor, kVersionMinor, kVersionRevision); }

}  // namespace qb
