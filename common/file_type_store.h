#pragma once
// Where file-type registrations live: the registry on Windows, the desktop's
// type database and launcher entries elsewhere. The association rules talk to
// this interface only, so they behave the same on every backend.

#include <string_view>

#include "common/file_type_definition.h"

namespace qb {

class FileTypeStore {
 public:
  virtual ~FileTypeStore() = default;

  // True when the type's description is on record, whatever else its
  // registration holds or wherever its command points.
  virtual bool IsRegistered(const FileTypeDefinition& type) = 0;

  // Writes the whole registration, the handler being the type's program in
  // programFolder. Failures are skipped silently: a missing association must
  // never stop a program from starting.
  virtual void Register(const FileTypeDefinition& type, std::u16string_view programFolder) = 0;
};

// Replaces the store the no-argument registration calls use for as long as
// it lives (tests of the programs' start-up); restores the previous one after.
class ScopedFileTypeStore {
 public:
  explicit ScopedFileTypeStore(FileTypeStore& store);
  ~ScopedFileTypeStore();
  ScopedFileTypeStore(const ScopedFileTypeStore&) = delete;
  ScopedFileTypeStore& operator=(const ScopedFileTypeStore&) = delete;

  // The store installed now; null when none is.
  static FileTypeStore* Installed();

 private:
  FileTypeStore* previous_;
};

}  // namespace qb
