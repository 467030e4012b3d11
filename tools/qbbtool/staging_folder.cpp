#include "tools/qbbtool/staging_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace qbbtool {

namespace fs = std::filesystem;

StagingFolder::StagingFolder(fs::path destination) : destination_(std::move(destination)) {
  std::error_code error;
  insideDestination_ = fs::is_directory(destination_, error);
  if (insideDestination_) return;
  fs::create_directories(destination_.parent_path(), error);
  if (error) return;
  folder_ = qb::CreateTemporaryFolderBeside(destination_);
  if (folder_.empty()) return;
  // The temporary folder is private; the published folder gets the usual
  // permissions of a new folder.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::chmod(folder_.c_str(), 0777 & ~mask);
}

StagingFolder::~StagingFolder() {
  std::error_code error;
  if (!folder_.empty()) fs::remove_all(folder_, error);
}

bool StagingFolder::Write(const std::string& name, const std::function<bool(int fd)>& fill, std::string* error) {
  if (!ok()) return false;
  if (!insideDestination_) return WriteNew(folder_ / name, fill, error);
  // One flush of the file system before publishing instead of one per file.
  qb::FileReplacement file(destination_ / name);
  if (!file.ok() || !fill(file.fd()) || !file.Finish(false)) {
    if (error) *error = file.error().empty() ? "cannot write " + (destination_ / name).string() : file.error();
    return false;
  }
  files_.push_back(std::move(file));
  return true;
}

bool StagingFolder::Write(const std::string& name, std::string_view content, std::string* error) {
  return Write(
      name, [content](int fd) { return qb::WriteFully(fd, content); }, error);
}

// The hidden folder is new and private: a file is created there directly,
// exclusively, and flushed with the whole folder on Publish().
bool StagingFolder::WriteNew(const fs::path& path, const std::function<bool(int fd)>& fill, std::string* error) {
  const int fd = qb::CreateNewFile(path);
  bool ok = fd >= 0 && fill(fd);
  const int reason = errno;
  if (fd >= 0 && ::close(fd) != 0) ok = false;
  if (!ok && error) *error = "cannot write " + path.string() + ": " + std::strerror(reason);
  return ok;
}

bool StagingFolder::Publish() {
  if (!ok() || !qb::FlushFileSystem(insideDestination_ ? destination_ : folder_)) return false;
  for (qb::FileReplacement& file : files_) {
    if (!file.Commit(false)) return false;
  }
  if (insideDestination_) return qb::FlushFileSystem(destination_);
  std::error_code error;
  fs::rename(folder_, destination_, error);
  if (error) return false;
  folder_.clear();
  return qb::FlushFileSystem(destination_);
}

}  // namespace qbbtool
