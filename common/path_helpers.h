#pragma once
// Path rules shared by both programs, with the native separator ("/").

#include <string>
#include <string_view>

namespace qb {

inline constexpr char16_t kPathSeparator = u'/';

// The path with one trailing separator; unchanged when it already ends in one.
std::u16string AddPathSeparator(std::u16string_view path);

// The folder holding path: the path itself for an existing folder, the parent
// folder (no trailing separator; "/" for the root) for an existing file, and
// empty for a path that does not exist.
std::u16string FolderOfPath(std::u16string_view path);

// The folder of the running executable, without a trailing separator except
// for the root folder.
std::u16string ProgramFolder();

}  // namespace qb
