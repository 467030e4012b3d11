#pragma once
// A hidden folder beside a destination folder, filled first and moved into
// place only once everything in it is complete: a failure half-way leaves
// the destination as it was.

#include <filesystem>

namespace qbbtool {

class StagingFolder {
 public:
  // Creates the staging folder beside destination (creating destination's
  // parent folders if needed); path() is empty when that fails.
  explicit StagingFolder(std::filesystem::path destination);
  // Removes the staging folder and whatever is left in it.
  ~StagingFolder();
  StagingFolder(const StagingFolder&) = delete;
  StagingFolder& operator=(const StagingFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

  // Moves the contents into the destination: the whole folder when the
  // destination is missing or empty, otherwise file by file, replacing
  // files of the same name. False when a move failed.
  bool Publish();

 private:
  std::filesystem::path destination_;
  std::filesystem::path path_;
};

}  // namespace qbbtool
