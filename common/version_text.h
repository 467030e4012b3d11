#pragma once
// The program version as both programs show it: major "." minor followed
// directly by the revision (0.1 revision 0 reads "0.10").

#include <string>

namespace qb {

std::u16string VersionNumberText(int major, int minor, int revision);

// This build's version.
std::u16string VersionNumberText();

}  // namespace qb
