#pragma once
// Opening files that are read as a whole (pictures, books, definition and
// settings files). Only regular files are read: a device such as /dev/zero
// would be read without end, and a FIFO would block the program. The check
// is made on the opened descriptor, and opening never blocks.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace qb {

// A descriptor of path opened with flags (O_RDONLY or O_RDWR, plus others
// such as O_CREAT), or -1 with error telling why in plain words (for the
// caller to put after the path; errno tells too, EINVAL for a file that is
// not regular). The descriptor is in blocking mode and closes on exec.
int OpenRegularFile(const std::filesystem::path& path, int flags, std::string* error = nullptr, int mode = 0666);

// The whole content of a regular file of at most maxBytes bytes; nothing,
// with error telling why (as above) and errno set, when it is missing
// (ENOENT), not a regular file (EINVAL), larger (EFBIG), or cannot be read.
std::optional<std::string> ReadRegularFile(const std::filesystem::path& path, std::uint64_t maxBytes,
                                           std::string* error = nullptr);

// The rest of an open file, read to its end or until more than limit bytes
// were read; nothing on a read error.
std::optional<std::string> ReadToEnd(int fd, std::uint64_t limit = UINT64_MAX);

}  // namespace qb
