#pragma once
// Folders that belong to the system's package manager rather than to the
// user: a program installed there must write nothing beside itself, even
// when run by the administrator, who could. Nothing a package does not own
// may appear under /usr, and removing the package would leave it behind.

#include <string_view>

namespace qb {

// True for /usr and every folder below it (/usr/bin, /usr/local/bin, ...).
bool IsSystemProgramFolder(std::u16string_view folder);

}  // namespace qb
