#include "tools/qbbtool/archive_entry_rules.h"

#include <algorithm>
#include <array>

#include "common/utf8.h"
#include "editor/natural_order.h"

namespace qbbtool {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EndsWithFolded(std::string_view text, std::string_view ending) {
  return text.size() >= ending.size() &&
         std::equal(ending.begin(), ending.end(), text.end() - static_cast<std::ptrdiff_t>(ending.size()),
                    [](char a, char b) { return Lower(a) == Lower(b); });
}

bool EqualFolded(std::string_view a, std::string_view b) { return a.size() == b.size() && EndsWithFolded(a, b); }

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// Calls part(text) for every non-empty part between separators; stops early
// when it returns true, and tells whether it did.
template <typename Part>
bool AnyPart(std::string_view path, Part part) {
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = start;
    while (end < path.size() && !IsSeparator(path[end])) ++end;
    if (end > start && part(path.substr(start, end - start))) return true;
    start = end + 1;
  }
  return false;
}

std::string_view LastPart(std::string_view path) {
  while (!path.empty() && IsSeparator(path.back())) path.remove_suffix(1);
  std::size_t start = path.size();
  while (start > 0 && !IsSeparator(path[start - 1])) --start;
  return path.substr(start);
}

}  // namespace

bool IsComicArchivePath(std::string_view path) { return EndsWithFolded(path, ".cbz") || EndsWithFolded(path, ".zip"); }

bool IsPagePictureEntry(std::string_view name) {
  static constexpr std::array<std::string_view, 14> kEndings = {".bmp",  ".dib", ".gif",  ".ico", ".jpg",
                                                                ".jpeg", ".jpe", ".jfif", ".png", ".wmf",
                                                                ".webp", ".tif", ".tiff", ".avif"};
  if (AnyPart(name, [](std::string_view part) { return part.front() == '.' || EqualFolded(part, "__MACOSX"); })) {
    return false;
  }
  return std::any_of(kEndings.begin(), kEndings.end(), [&](std::string_view ending) {
    return EndsWithFolded(LastPart(name), ending) && LastPart(name).size() > ending.size();
  });
}

bool IsComicInfoEntry(std::string_view name) {
  while (!name.empty() && IsSeparator(name.front())) name.remove_prefix(1);
  return EqualFolded(name, "ComicInfo.xml");
}

bool IsUnsafeEntryPath(std::string_view name) {
  if (name.empty() || IsSeparator(name.front())) return true;
  if (name.size() >= 2 && name[1] == ':') return true;
  return AnyPart(name, [](std::string_view part) { return part == ".."; });
}

bool EntryPathLess(std::string_view a, std::string_view b) {
  const std::u16string x = qb::FromUtf8(a);
  const std::u16string y = qb::FromUtf8(b);
  std::size_t i = 0;
  std::size_t j = 0;
  for (;;) {
    if (i >= x.size() || j >= y.size()) return i >= x.size() && j < y.size();
    const std::size_t xEnd = std::min(x.find(u'/', i), x.size());
    const std::size_t yEnd = std::min(y.find(u'/', j), y.size());
    const std::u16string_view xPart = std::u16string_view(x).substr(i, xEnd - i);
    const std::u16string_view yPart = std::u16string_view(y).substr(j, yEnd - j);
    if (xPart != yPart) return qb::editor::NaturalLess(xPart, yPart);
    i = xEnd + 1;
    j = yEnd + 1;
  }
}

std::string ShowableName(std::string_view bytes) {
  std::string out;
  std::size_t k = 0;
  while (k < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[k]);
    const std::size_t length = lead < 0x80           ? 1
                               : (lead >> 5) == 0x6  ? 2
                               : (lead >> 4) == 0xE  ? 3
                               : (lead >> 3) == 0x1E ? 4
                                                     : 0;
    // A sequence is valid when it is complete and round-trips (no overlong
    // form, surrogate or code point past U+10FFFF).
    const std::string_view sequence = bytes.substr(k, length);
    const bool valid = length > 0 && sequence.size() == length && lead != '\\' &&
                       (length == 1 || qb::ToUtf8(qb::FromUtf8(sequence)) == sequence);
    if (valid) {
      out += sequence;
      k += length;
      continue;
    }
    static constexpr char kHex[] = "0123456789ABCDEF";
    out += "\\x";
    out += kHex[lead >> 4];
    out += kHex[lead & 0xF];
    ++k;
  }
  return out;
}

}  // namespace qbbtool
