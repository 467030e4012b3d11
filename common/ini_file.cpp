#include "common/ini_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <utility>

#include "common/file_replacement.h"
#include "common/regular_file.h"
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

 private:
  int fd_;
};

struct LockedFile {
  FileDescriptor fd;
  bool created;
};

std::string Reason(const std::string& what, const std::filesystem::path& path, const std::string& why) {
  return "cannot " + what + " " + path.string() + ": " + why;
}

// Opens the file for writing, creating it when missing, and takes the
// exclusive lock. A writer that got the lock on a file another writer has
// replaced meanwhile holds a stale copy; it starts over on the new file.
// Nothing, with why telling the reason, when the file cannot be locked.
std::optional<LockedFile> OpenLocked(const std::filesystem::path& path, std::string& why) {
  constexpr int kAttempts = 1000;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    bool created = false;
    std::string error;
    int raw = OpenRegularFile(path, O_RDWR, &error);
    if (raw < 0 && errno == ENOENT) {
      raw = OpenRegularFile(path, O_RDWR | O_CREAT | O_EXCL, &error);
      if (raw < 0 && errno == EEXIST) continue;
      created = raw >= 0;
    }
    if (raw < 0) {
      why = Reason("open", path, error);
      return std::nullopt;
    }
    FileDescriptor fd(raw);
    while (::flock(fd.get(), LOCK_EX) != 0) {
      if (errno != EINTR) {
        why = Reason("lock", path, std::strerror(errno));
        return std::nullopt;
      }
    }
    struct stat opened {};
    struct stat current {};
    if (::fstat(fd.get(), &opened) != 0) {
      why = Reason("open", path, std::strerror(errno));
      return std::nullopt;
    }
    if (::stat(path.c_str(), &current) != 0 || current.st_dev != opened.st_dev || current.st_ino != opened.st_ino) {
      continue;
    }
    return LockedFile{std::move(fd), created};
  }
  why = Reason("lock", path, "other programs keep replacing it");
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ReadIniFile(const std::u16string& path) {
  if (path.empty()) return std::nullopt;
  const int raw = OpenRegularFile(ToPath(path), O_RDONLY);
  if (raw < 0) return std::nullopt;
  FileDescriptor fd(raw);
  return ReadToEnd(fd.get());
}

Outcome UpdateIniFile(const std::u16string& path, const std::function<std::string(std::string_view)>& edit) {
  if (path.empty()) return Outcome::Failure("no file is named");
  const std::filesystem::path target = FollowLinks(ToPath(path));
  std::string why;
  auto locked = OpenLocked(target, why);
  if (!locked) return Outcome::Failure(why);
  const auto content = ReadToEnd(locked->fd.get());
  Outcome updated = content ? Outcome::Success() : Outcome::Failure(Reason("read", target, std::strerror(errno)));
  if (updated) {
    const std::string text = edit(*content);
    if (text != *content || locked->created) updated = ReplaceFileContent(target, text);
  }
  // A file this call created for its lock must not stay behind empty.
  if (!updated && locked->created) ::unlink(target.c_str());
  return updated;
}

}  // namespace qb
