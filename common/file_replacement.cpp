#include "common/file_replacement.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <map>
#include <mutex>
#include <random>
#include <utility>

#include "common/hidden_file_name.h"

namespace qb {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kTokenLength = 8;
constexpr auto kRescanAfter = std::chrono::seconds(10);

std::string RandomToken() {
  static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  static thread_local std::random_device device;
  std::string token(kTokenLength, 'x');
  for (char& c : token) c = kAlphabet[device() % (sizeof kAlphabet - 1)];
  return token;
}

fs::path FolderOf(const fs::path& path) { return path.has_parent_path() ? path.parent_path() : fs::path("."); }

bool ProcessExists(pid_t pid) { return ::kill(pid, 0) == 0 || errno == EPERM; }

void SyncFolder(const fs::path& folder) {
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return;
  ::fsync(dir);
  ::close(dir);
}

bool IsAlphanumeric(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

}  // namespace

fs::path FollowLinks(fs::path path) {
  for (int hop = 0; hop < 40; ++hop) {
    std::error_code error;
    if (!fs::is_symlink(path, error)) break;
    const auto target = fs::read_symlink(path, error);
    if (error) break;
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  return path;
}

fs::path TemporaryNameBeside(const fs::path& target, pid_t pid, std::string_view token) {
  return HiddenNameBeside(target, "." + std::to_string(pid) + "." + std::string(token) + std::string(kTemporarySuffix));
}

int CreateNewFile(const fs::path& path) {
  return ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
}

pid_t TemporaryNameOwner(std::string_view name) {
  if (!name.starts_with('.') || !name.ends_with(kTemporarySuffix)) return 0;
  name.remove_suffix(kTemporarySuffix.size());
  if (name.size() < kTokenLength + 1) return 0;
  for (const char c : name.substr(name.size() - kTokenLength)) {
    if (!IsAlphanumeric(c)) return 0;
  }
  name.remove_suffix(kTokenLength);
  if (!name.ends_with('.')) return 0;
  name.remove_suffix(1);
  const auto dot = name.rfind('.');
  if (dot == 0 || dot == std::string_view::npos) return 0;
  const std::string_view digits = name.substr(dot + 1);
  if (digits.empty() || digits.size() > 9) return 0;
  pid_t pid = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return 0;
    pid = pid * 10 + (c - '0');
  }
  return pid;
}

namespace {

// Removes leftovers of dead writers in folder. A folder is looked at again
// only after a few seconds, so writing many files into one folder does not
// read it once per file.
void RemoveLeftovers(const fs::path& folder) {
  static std::mutex mutex;
  static std::map<fs::path, std::chrono::steady_clock::time_point> lastScan;
  {
    const std::lock_guard lock(mutex);
    const auto now = std::chrono::steady_clock::now();
    auto [entry, added] = lastScan.try_emplace(folder, now);
    if (!added && now - entry->second < kRescanAfter) return;
    entry->second = now;
  }
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  const uid_t self = ::geteuid();
  const pid_t writer = ::getpid();
  while (const dirent* entry = ::readdir(dir)) {
    const pid_t owner = TemporaryNameOwner(entry->d_name);
    if (owner <= 0 || owner == writer || ProcessExists(owner)) continue;
    struct stat status {};
    if (::fstatat(::dirfd(dir), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0 || status.st_uid != self) continue;
    std::error_code ignored;
    if (S_ISDIR(status.st_mode)) {
      fs::remove_all(folder / entry->d_name, ignored);
    } else {
      ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
  }
  ::closedir(dir);
}

}  // namespace

fs::path CreateTemporaryFolderBeside(const fs::path& target) {
  RemoveLeftovers(FolderOf(target));
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path folder = TemporaryNameBeside(target, ::getpid(), RandomToken());
    if (::mkdir(folder.c_str(), 0700) == 0) return folder;
    if (errno != EEXIST) return {};
  }
  return {};
}

FileReplacement::FileReplacement(const fs::path& target) : destination_(FollowLinks(target)) {
  // Renaming over a device, a pipe or a folder would put a plain file in its
  // place (for everyone, when run as root) or fail only at the very end.
  struct stat existing {};
  if (::stat(destination_.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)) {
    error_ = "cannot replace " + destination_.string() + ": it is not a regular file";
    return;
  }
  const fs::path folder = FolderOf(destination_);
  RemoveLeftovers(folder);
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary_ = TemporaryNameBeside(destination_, ::getpid(), RandomToken());
    fd_ = CreateNewFile(temporary_);
    if (fd_ >= 0 || errno != EEXIST) break;
  }
  if (fd_ < 0) {
    Failed("cannot create a file in " + folder.string(), errno);
    temporary_.clear();
    return;
  }
  // The mode the umask gives a new file, for a target that does not exist;
  // until then only the owner may read what is being written.
  struct stat status {};
  if (::fstat(fd_, &status) == 0) newFileMode_ = status.st_mode & 07777;
  ::fchmod(fd_, 0600);
}

FileReplacement::FileReplacement(FileReplacement&& other) noexcept
    : destination_(std::move(other.destination_)),
      temporary_(std::exchange(other.temporary_, {})),
      fd_(std::exchange(other.fd_, -1)),
      newFileMode_(other.newFileMode_),
      finished_(other.finished_),
      committed_(other.committed_),
      error_(std::move(other.error_)) {}

FileReplacement::~FileReplacement() {
  if (fd_ >= 0) ::close(fd_);
  if (!committed_ && !temporary_.empty()) ::unlink(temporary_.c_str());
}

bool FileReplacement::Failed(std::string what, int error) {
  error_ = std::move(what) + ": " + std::strerror(error);
  return false;
}

bool WriteFully(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) {
      errno = ENOSPC;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool FileReplacement::Write(std::string_view data) {
  if (fd_ < 0) return false;
  if (!WriteFully(fd_, data)) return Failed("cannot write " + destination_.string(), errno);
  return true;
}

bool FileReplacement::WriteAt(std::int64_t offset, std::string_view data) {
  if (fd_ < 0) return false;
  while (!data.empty()) {
    const ssize_t n = ::pwrite(fd_, data.data(), data.size(), static_cast<off_t>(offset));
    if (n < 0) {
      if (errno == EINTR) continue;
      return Failed("cannot write " + destination_.string(), errno);
    }
    data.remove_prefix(static_cast<std::size_t>(n));
    offset += n;
  }
  return true;
}

void FileReplacement::StartWriteBack(std::int64_t offset, std::int64_t count) {
#if defined(__linux__)
  if (fd_ >= 0 && count > 0) ::sync_file_range(fd_, offset, count, SYNC_FILE_RANGE_WRITE);
#else
  static_cast<void>(offset);
  static_cast<void>(count);
#endif
}

bool FileReplacement::Finish(bool flushToDisk) {
  if (finished_) return true;
  if (fd_ < 0) return false;
  struct stat existing {};
  mode_t mode = newFileMode_;
  if (::stat(destination_.c_str(), &existing) == 0) {
    mode = existing.st_mode & 07777;
    // Giving a file away is for the superuser (or a group the user is in);
    // where it is not allowed the replacement stays the writer's.
    if (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid()) {
      if (::fchown(fd_, existing.st_uid, existing.st_gid) != 0) ::fchown(fd_, static_cast<uid_t>(-1), existing.st_gid);
    }
  }
  if (::fchmod(fd_, mode) != 0) return Failed("cannot set the permissions of " + destination_.string(), errno);
  if (flushToDisk && ::fsync(fd_) != 0) return Failed("cannot write " + destination_.string(), errno);
  const int closed = ::close(std::exchange(fd_, -1));
  if (closed != 0) return Failed("cannot write " + destination_.string(), errno);
  finished_ = true;
  return true;
}

bool FileReplacement::Commit(bool flushFolder) {
  if (committed_) return true;
  if (!Finish()) return false;
  if (::rename(temporary_.c_str(), destination_.c_str()) != 0) {
    return Failed("cannot replace " + destination_.string(), errno);
  }
  committed_ = true;
  // The new content is already in place; a folder that refuses fsync does
  // not make the write a failure.
  if (flushFolder) SyncFolder(FolderOf(destination_));
  return true;
}

bool FlushFileSystem(const fs::path& folder) {
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return false;
  const bool ok = ::syncfs(dir) == 0;
  ::close(dir);
  return ok;
}

Outcome ReplaceFileContent(const fs::path& target, std::string_view content) {
  FileReplacement file(target);
  if (file.ok() && file.Write(content) && file.Commit()) return Outcome::Success();
  return Outcome::Failure(file.error());
}

}  // namespace qb
