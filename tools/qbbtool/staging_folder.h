#pragma once
// Files written into a folder that appear there only once all of them are
// complete: a failure half-way leaves the destination as it was.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_replacement.h"

namespace qbbtool {

class StagingFolder {
 public:
  // For a missing destination, creates a hidden folder beside it (creating
  // its parent folders if needed) that becomes the destination. An existing
  // destination folder stays the folder it is (its owner, its permissions,
  // a shell standing in it): each file is made ready beside the file it
  // replaces. ok() is false when the folder cannot be prepared.
  explicit StagingFolder(std::filesystem::path destination);
  // Removes whatever was not published.
  ~StagingFolder();
  StagingFolder(const StagingFolder&) = delete;
  StagingFolder& operator=(const StagingFolder&) = delete;

  bool ok() const { return insideDestination_ || !folder_.empty(); }

  // Writes the file name, to appear on Publish(): fill writes its content
  // into the open descriptor it is given. error tells why not.
  bool Write(const std::string& name, const std::function<bool(int fd)>& fill, std::string* error);
  bool Write(const std::string& name, std::string_view content, std::string* error);

  // Puts every file written in place: the whole folder when the destination
  // was missing, otherwise file by file, replacing files of the same name as
  // any file is replaced (links followed, permissions kept). False when a
  // move failed.
  bool Publish();

 private:
  static bool WriteNew(const std::filesystem::path& path, const std::function<bool(int fd)>& fill, std::string* error);

  std::filesystem::path destination_;
  std::filesystem::path folder_;  // the hidden folder, for a missing destination
  std::vector<qb::FileReplacement> files_;
  bool insideDestination_ = false;
};

}  // namespace qbbtool
