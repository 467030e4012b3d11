#include "editor/dropped_pictures.h"

#include <algorithm>
#include <filesystem>

#include "common/ui/dropped_files.h"
#include "editor/file_dialog_texts.h"
#include "editor/natural_order.h"

namespace qb::editor {
namespace {

namespace fs = std::filesystem;

std::vector<std::u16string> FolderPictures(const fs::path& folder, std::int16_t gifOption) {
  std::vector<std::u16string> pictures;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code ignored;
    if (!it->is_regular_file(ignored)) continue;
    std::u16string path = it->path().u16string();
    if (IsAddablePicture(path, gifOption)) pictures.push_back(std::move(path));
  }
  std::sort(pictures.begin(), pictures.end(), [](const std::u16string& a, const std::u16string& b) {
    return NaturalLess(fs::path(a).filename().u16string(), fs::path(b).filename().u16string());
  });
  return pictures;
}

}  // namespace

bool IsAddablePicture(std::u16string_view path, std::int16_t gifOption) {
  // The patterns read "*.bmp;*.gif;...": each ending follows a "*".
  const std::u16string patterns = ImagePatterns(gifOption);
  std::size_t start = 0;
  while (start < patterns.size()) {
    std::size_t end = patterns.find(u';', start);
    if (end == std::u16string::npos) end = patterns.size();
    const std::u16string_view pattern = std::u16string_view(patterns).substr(start, end - start);
    if (pattern.size() > 1 && HasExtension(path, pattern.substr(1))) return true;
    start = end + 1;
  }
  return false;
}

std::vector<std::u16string> PicturesFromDrop(const std::vector<std::u16string>& dropped, std::int16_t gifOption) {
  std::vector<std::u16string> pictures;
  for (const std::u16string& path : dropped) {
    std::error_code error;
    if (fs::is_directory(fs::path(path), error)) {
      const std::vector<std::u16string> inFolder = FolderPictures(fs::path(path), gifOption);
      pictures.insert(pictures.end(), inFolder.begin(), inFolder.end());
    } else if (IsAddablePicture(path, gifOption)) {
      pictures.push_back(path);
    }
  }
  return pictures;
}

}  // namespace qb::editor
