#include "tools/qbbtool/staging_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "common/hidden_file_name.h"

namespace qbbtool {

namespace fs = std::filesystem;

StagingFolder::StagingFolder(fs::path destination) : destination_(std::move(destination)) {
  std::error_code error;
  insideDestination_ = fs::is_directory(destination_, error);
  std::string pattern;
  if (insideDestination_) {
    pattern = (destination_ / ".unpack-XXXXXX").string();
  } else {
    fs::create_directories(destination_.parent_path(), error);
    if (error) return;
    pattern = qb::HiddenNameBeside(destination_, ".unpack-XXXXXX").string();
  }
  if (::mkdtemp(pattern.data()) == nullptr) return;
  path_ = pattern;
  if (!insideDestination_) {
    // mkdtemp's folder is private; the published folder gets the usual
    // permissions of a new folder.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::chmod(path_.c_str(), 0777 & ~mask);
  }
}

StagingFolder::~StagingFolder() {
  std::error_code error;
  if (!path_.empty()) fs::remove_all(path_, error);
}

bool StagingFolder::Publish() {
  std::error_code error;
  if (!insideDestination_) {
    fs::rename(path_, destination_, error);
    if (!error) path_.clear();
    return !error;
  }
  for (const fs::directory_entry& entry : fs::directory_iterator(path_, error)) {
    fs::rename(entry.path(), destination_ / entry.path().filename(), error);
    if (error) return false;
  }
  return !error;
}

}  // namespace qbbtool
