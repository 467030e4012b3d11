#pragma once
// Names for the temporary files that writers create beside a file they
// replace atomically. The temporary file lives in the target's folder, so
// the final rename never crosses file systems, and is hidden.

#include <filesystem>
#include <string>
#include <string_view>

namespace qb {

// target's folder / ("." + target's name + suffix). The target's name is
// shortened (never inside a UTF-8 character) when the whole name would pass
// the file system's 255-byte limit, so that a long but legal target name
// can still be written.
std::filesystem::path HiddenNameBeside(const std::filesystem::path& target, std::string_view suffix);

}  // namespace qb
