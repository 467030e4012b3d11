#pragma once
// Whole-file access to INI files that both programs may update at the same
// time. Every update is a read-modify-write of the whole file under an
// exclusive advisory lock (flock on the file itself), and the new content
// replaces the file atomically (temporary file in the same folder, fsync,
// rename). So no update of another process is lost, and a crash mid-write
// never leaves a truncated file. A reader needs no lock: whatever it opens
// is either the old or the new file, each complete.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/outcome.h"

namespace qb {

// The bytes of the file; nothing when it is missing, cannot be read or is
// not a regular file (a pipe or a device would block or never end).
std::optional<std::string> ReadIniFile(const std::u16string& path);

// Replaces the file's content (empty for a missing file, which is created)
// with edit(content). Nothing is written when the content stays the same.
// A failure (the file could not be read or written) leaves it unchanged.
// A symbolic link is followed, so the file it names is updated; the file
// keeps its permissions.
Outcome UpdateIniFile(const std::u16string& path, const std::function<std::string(std::string_view)>& edit);

}  // namespace qb
