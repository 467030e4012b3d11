#include "editor/export_names.h"

namespace qb::editor {
namespace {

constexpr std::size_t kExtensionLength = 4;

char16_t AsciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

}  // namespace

std::u16string BookFileName(std::u16string_view chosen) {
  std::u16string ending;
  if (chosen.size() >= kExtensionLength) {
    for (const char16_t c : chosen.substr(chosen.size() - kExtensionLength)) ending += AsciiLower(c);
  }
  std::u16string name(chosen);
  if (ending != u".qbb") name += u".qbb";
  return name;
}

std::u16string DefinitionPathForBook(std::u16string_view bookPath) {
  const std::size_t keep = bookPath.size() >= kExtensionLength ? bookPath.size() - kExtensionLength : 0;
  return std::u16string(bookPath.substr(0, keep)) + u".qbd";
}

}  // namespace qb::editor
