#include "common/ini_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <utility>

#include "common/hidden_file_name.h"
#include "common/utf8.h"

namespace qb {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  FileDescriptor& operator=(FileDescriptor&&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }

  int get() const { return fd_; }

  // Closes now, so that a failing close (a late write error) is seen.
  bool Close() { return ::close(std::exchange(fd_, -1)) == 0; }

 private:
  int fd_;
};

std::optional<std::string> ReadAll(int fd) {
  std::string out;
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (n == 0) return out;
    out.append(buffer, static_cast<std::size_t>(n));
  }
}

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// The file a path names after following symbolic links, so that the rename
// replaces the file and not the link. Relative link targets count from the
// link's folder. A loop of links is left to open() to report.
std::filesystem::path FollowLinks(std::filesystem::path path) {
  for (int hop = 0; hop < 40; ++hop) {
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error)) break;
    const auto target = std::filesystem::read_symlink(path, error);
    if (error) break;
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  return path;
}

struct LockedFile {
  FileDescriptor fd;
  struct stat status;
  bool created;
};

// Opens the file for writing, creating it when missing, and takes the
// exclusive lock. A writer that got the lock on a file another writer has
// replaced meanwhile holds a stale copy; it starts over on the new file.
std::optional<LockedFile> OpenLocked(const std::string& path) {
  constexpr int kAttempts = 1000;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    bool created = false;
    int raw = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (raw < 0 && errno == ENOENT) {
      raw = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (raw < 0 && errno == EEXIST) continue;
      created = raw >= 0;
    }
    if (raw < 0) return std::nullopt;
    FileDescriptor fd(raw);
    while (::flock(fd.get(), LOCK_EX) != 0) {
      if (errno != EINTR) return std::nullopt;
    }
    struct stat opened {};
    struct stat current {};
    if (::fstat(fd.get(), &opened) != 0) return std::nullopt;
    if (::stat(path.c_str(), &current) != 0 || current.st_dev != opened.st_dev || current.st_ino != opened.st_ino) {
      continue;
    }
    return LockedFile{std::move(fd), opened, created};
  }
  return std::nullopt;
}

// Writes content to a new file beside path and renames it over path.
bool ReplaceFile(const std::filesystem::path& path, std::string_view content, const struct stat& original) {
  const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
  std::string temporary = HiddenNameBeside(folder / path.filename(), ".XXXXXX").string();
  const int raw = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (raw < 0) return false;
  FileDescriptor fd(raw);
  bool ok = WriteAll(fd.get(), content) && ::fchmod(fd.get(), original.st_mode & 07777) == 0;
  if (ok && (original.st_uid != ::geteuid() || original.st_gid != ::getegid())) {
    // The superuser updating someone else's file gives it back to its owner.
    // Other users cannot give files away; their replacement stays theirs.
    ok = ::fchown(fd.get(), original.st_uid, original.st_gid) == 0 || ::geteuid() != 0;
  }
  ok = ok && ::fsync(fd.get()) == 0;
  ok = fd.Close() && ok;
  ok = ok && ::rename(temporary.c_str(), path.c_str()) == 0;
  if (!ok) {
    ::unlink(temporary.c_str());
    return false;
  }
  // Make the rename itself durable. The new content is already in place, so
  // a folder that refuses fsync does not make the update a failure.
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

}  // namespace

std::optional<std::string> ReadIniFile(const std::u16string& path) {
  if (path.empty()) return std::nullopt;
  const int raw = ::open(ToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (raw < 0) return std::nullopt;
  FileDescriptor fd(raw);
  return ReadAll(fd.get());
}

bool UpdateIniFile(const std::u16string& path, const std::function<std::string(std::string_view)>& edit) {
  if (path.empty()) return false;
  const std::filesystem::path target = FollowLinks(ToPath(path));
  auto locked = OpenLocked(target.string());
  if (!locked) return false;
  const auto content = ReadAll(locked->fd.get());
  bool ok = content.has_value();
  if (ok) {
    const std::string updated = edit(*content);
    if (updated != *content || locked->created) ok = ReplaceFile(target, updated, locked->status);
  }
  // A file this call created for its lock must not stay behind empty.
  if (!ok && locked->created) ::unlink(target.c_str());
  return ok;
}

}  // namespace qb
