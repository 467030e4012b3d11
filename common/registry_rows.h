#pragma once
// The registry rows of a file type's registration on Windows: the default
// values under HKEY_CLASSES_ROOT, in the order they are written.

#include <string>
#include <string_view>
#include <vector>

#include "common/file_type_definition.h"

namespace qb {

struct RegistryRow {
  std::u16string key;    // below HKEY_CLASSES_ROOT
  std::u16string value;  // the key's default value
  bool operator==(const RegistryRow&) const = default;
};

// Class description, icon, open command, extension. windowsProgramFolder uses
// "\" and may end in one (a drive root such as "C:\").
std::vector<RegistryRow> RegistryRowsFor(const FileTypeDefinition& type, std::u16string_view windowsProgramFolder);

}  // namespace qb
