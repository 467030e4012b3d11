#pragma once
// A hidden folder filled first and moved into place only once everything in
// it is complete: a failure half-way leaves the destination as it was.

#include <filesystem>

namespace qbbtool {

class StagingFolder {
 public:
  // For a missing destination, creates the staging folder beside it
  // (creating its parent folders if needed), to become the destination. An
  // existing destination folder stays the folder it is (its owner, its
  // permissions, a shell standing in it): the staging folder is made inside
  // it, on its file system. path() is empty when that fails.
  explicit StagingFolder(std::filesystem::path destination);
  // Removes the staging folder and whatever is left in it.
  ~StagingFolder();
  StagingFolder(const StagingFolder&) = delete;
  StagingFolder& operator=(const StagingFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

  // Moves the contents into the destination: the whole folder when the
  // destination was missing, otherwise file by file, replacing files of the
  // same name. False when a move failed.
  bool Publish();

 private:
  std::filesystem::path destination_;
  std::filesystem::path path_;
  bool insideDestination_ = false;
};

}  // namespace qbbtool
