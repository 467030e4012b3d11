#include "common/ini_access.h"

#include "common/ini_document.h"
#include "common/ini_file.h"
#include "common/utf8.h"

namespace qb {

std::u16string GetIniString(const std::u16string& section, const std::u16string& key,
                            const std::u16string& defaultValue, const std::u16string& filePath) {
  const auto content = ReadIniFile(filePath);
  if (!content) return defaultValue;
  auto value = FindIniValue(*content, section, key);
  return value ? std::move(*value) : defaultValue;
}

Outcome WriteIniString(const std::u16string& section, const std::u16string& key, const std::u16string& value,
                       const std::u16string& filePath) {
  if (!IsValidIniSection(section)) return Outcome::Failure("\"" + ToUtf8(section) + "\" cannot be a section name");
  if (!IsValidIniKey(key)) return Outcome::Failure("\"" + ToUtf8(key) + "\" cannot be a key name");
  return UpdateIniFile(filePath, [&](std::string_view content) { return SetIniValue(content, section, key, value); });
}

int PutIniString(const std::u16string& section, const std::u16string& key, const std::u16string& value,
                 const std::u16string& filePath) {
  return WriteIniString(section, key, value, filePath) ? 1 : 0;
}

int PutIniStrings(const std::vector<IniEntry>& entries, const std::u16string& filePath) {
  bool namesValid = true;
  const Outcome written = UpdateIniFile(filePath, [&](std::string_view content) {
    IniDocument document(content);
    for (const IniEntry& entry : entries) {
      if (!IsValidIniSection(entry.section) || !IsValidIniKey(entry.key)) {
        namesValid = false;
        continue;
      }
      document.Set(entry.section, entry.key, entry.value);
    }
    return document.Text();
  });
  return written && namesValid ? 1 : 0;
}

}  // namespace qb
