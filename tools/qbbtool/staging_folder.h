#pragma once
// Files written into a folder that appear there only once all of them are
// complete, all at once: a failure half-way, or a kill at any moment, leaves
// the destination as it was or holding the whole new set.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace qbbtool {

class StagingFolder {
 public:
  // Creates a hidden folder beside destination (creating its parent folders
  // if needed, and following a link to the folder) that becomes the
  // destination on Publish(). An existing destination's files are carried
  // into it first (linked, or copied where the file system cannot link) and
  // it takes the destination's permissions, so the published folder holds
  // the files that were there and the new ones, which replace files of the
  // same name. ok() is false, with error() telling why, when it cannot be
  // prepared.
  explicit StagingFolder(std::filesystem::path destination);
  // Removes whatever was not published.
  ~StagingFolder();
  StagingFolder(const StagingFolder&) = delete;
  StagingFolder& operator=(const StagingFolder&) = delete;

  bool ok() const { return !folder_.empty(); }
  const std::string& error() const { return error_; }

  // Writes the file name, to appear on Publish(): fill writes its content
  // into the open descriptor it is given. error tells why not.
  bool Write(const std::string& name, const std::function<bool(int fd)>& fill, std::string* error);
  bool Write(const std::string& name, std::string_view content, std::string* error);

  // Flushes everything written and renames the folder into place: a missing
  // destination appears whole, an existing one is exchanged with it in one
  // step and then removed. False when the folder could not be moved.
  bool Publish();

 private:
  bool CarryOver(const std::filesystem::path& from, const std::filesystem::path& to);

  std::filesystem::path destination_;
  std::filesystem::path folder_;  // the hidden folder
  unsigned mode_ = 0;             // the permissions it is published with
  std::string error_;
};

}  // namespace qbbtool
