#pragma once
// Reading and writing one value of an INI file (the settings file and the
// definition files), with the observable behaviour of the Windows profile
// operations; see ini_document.h for the text rules and ini_file.h for how
// concurrent writers are kept apart.

#include <string>
#include <vector>

#include "common/outcome.h"

namespace qb {

// The value of key in section of the file, or defaultValue when the file,
// the section or the key is missing. A key present with an empty value gives
// an empty text. Values come back whole, however long.
std::u16string GetIniString(const std::u16string& section, const std::u16string& key,
                            const std::u16string& defaultValue, const std::u16string& filePath);

// Sets key in section of the file to value, creating the file, the section
// and the key as needed; a value is one line (cut at its first line break).
// A failure when the names cannot be written (blank, line breaks, "]" in a
// section, "=" in a key) or the file cannot be written; the file is then
// unchanged.
Outcome WriteIniString(const std::u16string& section, const std::u16string& key, const std::u16string& value,
                       const std::u16string& filePath);

// WriteIniString in the shape of the profile operation: nonzero on success,
// 0 on failure.
[[nodiscard]] int PutIniString(const std::u16string& section, const std::u16string& key, const std::u16string& value,
                               const std::u16string& filePath);

struct IniEntry {
  std::u16string section;
  std::u16string key;
  std::u16string value;
};

// PutIniString for every entry, in order, as one update of the file: the
// same text as writing them one by one, without one locked, flushed rewrite
// per key. Nonzero when every entry was written; entries whose names cannot
// be written are skipped (and make the result 0), the others still apply.
[[nodiscard]] int PutIniStrings(const std::vector<IniEntry>& entries, const std::u16string& filePath);

}  // namespace qb
