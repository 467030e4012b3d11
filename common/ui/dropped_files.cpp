#include "common/ui/dropped_files.h"

#include <QMimeData>
#include <QUrl>
#include <algorithm>

namespace qb {
namespace {

char16_t FoldAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c; }

}  // namespace

std::vector<std::u16string> DroppedLocalFiles(const QMimeData* data) {
  std::vector<std::u16string> paths;
  if (data == nullptr || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdU16String());
  }
  return paths;
}

bool HasExtension(std::u16string_view path, std::u16string_view extension) {
  if (path.size() < extension.size()) return false;
  const std::u16string_view ending = path.substr(path.size() - extension.size());
  return std::equal(ending.begin(), ending.end(), extension.begin(), extension.end(),
                    [](char16_t a, char16_t b) { return FoldAscii(a) == FoldAscii(b); });
}

std::u16string FirstWithExtension(const std::vector<std::u16string>& paths, std::u16string_view extension) {
  const auto found = std::find_if(paths.begin(), paths.end(),
                                  [extension](const std::u16string& p) { return HasExtension(p, extension); });
  return found == paths.end() ? std::u16string() : *found;
}

}  // namespace qb
