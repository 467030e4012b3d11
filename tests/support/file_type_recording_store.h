#pragma once
// A file-type store in memory for tests: remembers which types count as
// registered and every registration written, in order.

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_type_store.h"

namespace qb {

class RecordingFileTypeStore : public FileTypeStore {
 public:
  struct Registration {
    std::u16string className;
    std::u16string programFolder;
    bool operator==(const Registration&) const = default;
  };

  // Marks a type as registered already, as another program's run would have.
  void MarkRegistered(const std::u16string& className) { registered_.push_back(className); }

  bool IsRegistered(const FileTypeDefinition& type) override {
    return std::find(registered_.begin(), registered_.end(), type.className) != registered_.end();
  }

  void Register(const FileTypeDefinition& type, std::u16string_view programFolder) override {
    writes_.push_back({type.className, std::u16string(programFolder)});
    registered_.push_back(type.className);
  }

  const std::vector<Registration>& Writes() const { return writes_; }

 private:
  std::vector<std::u16string> registered_;
  std::vector<Registration> writes_;
};

}  // namespace qb
