#pragma once
// The texts of the splash window.

#include <string>

namespace qb::viewer {

// "バージョン" followed by the version number ("バージョン0.10").
std::u16string VersionCaption();

// Who holds the rights to the program and to each book, and that neither
// may be used without permission.
std::u16string RightsNotice();

}  // namespace qb::viewer
