#include "tools/qbbtool/staging_folder.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/file_replacement.h"

namespace qbbtool {

namespace fs = std::filesystem;

StagingFolder::StagingFolder(fs::path destination) : destination_(qb::FollowLinks(std::move(destination))) {
  std::error_code error;
  fs::create_directories(destination_.parent_path(), error);
  if (error) {
    error_ = "cannot create " + destination_.parent_path().string() + " (" + error.message() + ")";
    return;
  }
  folder_ = qb::CreateTemporaryFolderBeside(destination_);
  if (folder_.empty()) {
    error_ = "cannot create a folder beside " + destination_.string() + " (" + std::strerror(errno) + ")";
    return;
  }
  struct stat existing {};
  if (::stat(destination_.c_str(), &existing) != 0) {
    // The temporary folder is private; a new folder gets the usual
    // permissions under the umask.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode_ = 0777 & ~mask;
    return;
  }
  if (!CarryOver(destination_, folder_)) {
    fs::remove_all(folder_, error);
    folder_.clear();
  }
}

StagingFolder::~StagingFolder() {
  std::error_code error;
  if (!folder_.empty()) fs::remove_all(folder_, error);
}

// Rebuilds the folder from inside to, which exists: folders anew, files as
// further links to the same content, so nothing is copied and the old set
// stays untouched until the exchange.
bool StagingFolder::CarryOver(const fs::path& from, const fs::path& to) {
  struct stat folder {};
  if (::stat(from.c_str(), &folder) != 0) {
    error_ = "cannot read " + from.string() + " (" + std::strerror(errno) + ")";
    return false;
  }
  // Kept where the process may (as root); otherwise the folder is the user's.
  [[maybe_unused]] const int owned = ::lchown(to.c_str(), folder.st_uid, folder.st_gid);
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(from, error)) {
    const fs::path target = to / entry.path().filename();
    const fs::file_status status = entry.symlink_status(error);
    if (fs::is_directory(status)) {
      if (fs::create_directory(target, error) && !CarryOver(entry.path(), target)) return false;
    } else if (fs::is_symlink(status)) {
      fs::copy_symlink(entry.path(), target, error);
    } else if (fs::is_regular_file(status)) {
      if (::link(entry.path().c_str(), target.c_str()) != 0) {
        fs::copy_file(entry.path(), target, error);
        if (!error) fs::permissions(target, status.permissions(), error);
      }
    } else {
      error_ = entry.path().string() + " is neither a file, a folder nor a link, so it cannot be carried over";
      return false;
    }
    if (error) {
      error_ = "cannot carry " + entry.path().string() + " over (" + error.message() + ")";
      return false;
    }
  }
  if (error) {
    error_ = "cannot read " + from.string() + " (" + error.message() + ")";
    return false;
  }
  // The top folder gets its permissions on Publish(): it must stay writable
  // until then.
  if (to == folder_) {
    mode_ = folder.st_mode & 07777;
  } else if (::chmod(to.c_str(), folder.st_mode & 07777) != 0) {
    error_ = "cannot set the permissions of " + to.string() + " (" + std::strerror(errno) + ")";
    return false;
  }
  return true;
}

bool StagingFolder::Write(const std::string& name, const std::function<bool(int fd)>& fill, std::string* error) {
  if (!ok()) return false;
  const fs::path path = folder_ / name;
  // A carried-over file of that name is a link to the old content, which
  // must stay as it was: the new file takes its place in the hidden folder.
  std::error_code ignored;
  fs::remove(path, ignored);
  const int fd = qb::CreateNewFile(path);
  bool ok = fd >= 0 && fill(fd);
  const int reason = errno;
  if (fd >= 0 && ::close(fd) != 0) ok = false;
  if (!ok && error) *error = "cannot write " + path.string() + ": " + std::strerror(reason);
  return ok;
}

bool StagingFolder::Write(const std::string& name, std::string_view content, std::string* error) {
  return Write(
      name, [content](int fd) { return qb::WriteFully(fd, content); }, error);
}

bool StagingFolder::Publish() {
  if (!ok() || ::chmod(folder_.c_str(), mode_) != 0 || !qb::FlushFileSystem(folder_)) return false;
  if (::renameat2(AT_FDCWD, folder_.c_str(), AT_FDCWD, destination_.c_str(), RENAME_EXCHANGE) != 0) {
    if (errno == ENOENT) {
      // Nothing to exchange with: the destination is new.
      if (::rename(folder_.c_str(), destination_.c_str()) != 0) return false;
      folder_.clear();
    } else if (errno == EINVAL || errno == ENOSYS) {
      // A file system that cannot exchange: the old folder steps aside
      // first, leaving a moment without either.
      const fs::path aside = qb::TemporaryNameBeside(destination_, ::getpid(), "old");
      if (::rename(destination_.c_str(), aside.c_str()) != 0) return false;
      if (::rename(folder_.c_str(), destination_.c_str()) != 0) {
        ::rename(aside.c_str(), destination_.c_str());
        return false;
      }
      folder_ = aside;
    } else {
      return false;
    }
  }
  // folder_ now holds the old set, if there was one; the destructor removes it.
  return qb::FlushFileSystem(destination_);
}

}  // namespace qbbtool
