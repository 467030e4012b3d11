#pragma once
// The one way the programs write a file. The new content goes to a fresh
// file beside the target, created exclusively under an unpredictable name
// (so nobody can plant a link or a file there beforehand), is flushed to the
// disk and then renamed over the target. Readers see the old file or the new
// one, never half of one, and on any failure the old file stays byte for
// byte as it was and the temporary file is gone.
//
// A target that is a symbolic link stays a link: the file it points to is
// replaced. An existing target's permission bits are kept, and its owner and
// group where the process may set them; a new file gets the usual mode under
// the umask.
//
// Temporary names are hidden, end in kTemporarySuffix and carry the writer's
// process number. A writer killed half-way leaves its file behind; the next
// write in that folder removes files and folders of this form whose process
// is gone (only those owned by the same user).

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "common/outcome.h"

namespace qb {

inline constexpr std::string_view kTemporarySuffix = ".qbpart";

// The file a path names after following symbolic links (relative targets
// count from the link's folder). A loop is left for open() to report.
std::filesystem::path FollowLinks(std::filesystem::path path);

// "." + target's name + "." + pid + "." + token + kTemporarySuffix, in the
// target's folder, shortened to the file system's name limit.
std::filesystem::path TemporaryNameBeside(const std::filesystem::path& target, pid_t pid, std::string_view token);

// Creates path as a new file open for reading and writing, never through an
// existing file or a link planted there: -1 with errno EEXIST (or ELOOP)
// when the name is taken.
int CreateNewFile(const std::filesystem::path& path);

// The process number in a temporary name of this form; 0 when it is not one.
pid_t TemporaryNameOwner(std::string_view fileName);

// Creates a new private folder beside target under a temporary name, for
// content that is moved into place as a whole; empty on failure.
std::filesystem::path CreateTemporaryFolderBeside(const std::filesystem::path& target);

// Writes all of data to fd, going on after interruptions; false with errno
// telling why when it cannot.
bool WriteFully(int fd, std::string_view data);

class FileReplacement {
 public:
  // Creates the temporary file; see ok() and error().
  explicit FileReplacement(const std::filesystem::path& target);
  // Removes the temporary file unless Commit() succeeded.
  ~FileReplacement();
  FileReplacement(FileReplacement&& other) noexcept;
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;
  FileReplacement& operator=(FileReplacement&&) = delete;

  bool ok() const { return fd_ >= 0 || finished_; }
  // Why the last step failed, in plain words naming the path (UTF-8).
  const std::string& error() const { return error_; }
  // The file that Commit() replaces: the target with links followed.
  const std::filesystem::path& destination() const { return destination_; }

  // The temporary file's descriptor, for writers that stream into it; -1
  // once finished or when it could not be created.
  int fd() const { return fd_; }

  bool Write(std::string_view data);
  bool WriteAt(std::int64_t offset, std::string_view data);
  // Starts writing count bytes at offset to the disk without waiting for
  // them, so that the flush of Finish() finds little left to do. Advisory:
  // a failure shows in that flush.
  void StartWriteBack(std::int64_t offset, std::int64_t count);

  // Flushes the content to the disk, gives it its final permissions and
  // closes it, without replacing the target yet: many files can be made
  // ready and then committed together. Without flushToDisk the caller
  // flushes them all at once with FlushFileSystem before committing.
  bool Finish(bool flushToDisk = true);

  // Finish() if not done yet, then renames the file over the destination
  // and flushes the folder (unless the caller flushes many at once with
  // FlushFileSystem afterwards).
  bool Commit(bool flushFolder = true);

 private:
  bool Failed(std::string what, int error);

  std::filesystem::path destination_;
  std::filesystem::path temporary_;
  int fd_ = -1;
  mode_t newFileMode_ = 0644;
  bool finished_ = false;
  bool committed_ = false;
  std::string error_;
};

// Flushes every file written on the file system holding folder to the disk.
bool FlushFileSystem(const std::filesystem::path& folder);

// Replaces target's content in one step.
Outcome ReplaceFileContent(const std::filesystem::path& target, std::string_view content);

}  // namespace qb
