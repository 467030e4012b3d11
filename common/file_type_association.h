#pragma once
// Start-up registration of the two file types. A registration is written only
// when the type is not registered yet and an existing one is never changed or
// repaired, so a user's own association survives; nothing is reported and
// nothing can stop start-up.

#include <string_view>

#include "common/file_type_store.h"

namespace qb {

// Registers type with its program in programFolder unless it counts as
// registered already.
void RegisterFileType(FileTypeStore& store, const FileTypeDefinition& type, std::u16string_view programFolder);

// The book type, opened by "Quilly" in programFolder: both programs call it
// with their own folder, as the programs are installed side by side.
void RegisterBookType(FileTypeStore& store, std::u16string_view programFolder);

// The definition type, opened by "QuillyEd" in programFolder (Editor only).
void RegisterDataType(FileTypeStore& store, std::u16string_view programFolder);

// The calls the programs make: the installed store (ScopedFileTypeStore) or
// the current user's desktop database, and the running program's folder.
void RegisterBookType();
void RegisterDataType();

}  // namespace qb
