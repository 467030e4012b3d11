#include "common/file_type_association.h"

#include "common/path_helpers.h"
#include "common/xdg_file_type_store.h"

namespace qb {
namespace {

void RegisterWithCurrentStore(const FileTypeDefinition& type) {
  if (FileTypeStore* installed = ScopedFileTypeStore::Installed()) {
    RegisterFileType(*installed, type, ProgramFolder());
    return;
  }
  XdgFileTypeStore store(XdgFileTypeStore::UserDataHome());
  RegisterFileType(store, type, ProgramFolder());
}

}  // namespace

void RegisterFileType(FileTypeStore& store, const FileTypeDefinition& type, std::u16string_view programFolder) {
  if (store.IsRegistered(type)) return;
  store.Register(type, programFolder);
}

void RegisterBookType(FileTypeStore& store, std::u16string_view programFolder) {
  RegisterFileType(store, BookFileType(), programFolder);
}

void RegisterDataType(FileTypeStore& store, std::u16string_view programFolder) {
  RegisterFileType(store, DataFileType(), programFolder);
}

void RegisterBookType() { RegisterWithCurrentStore(BookFileType()); }

void RegisterDataType() { RegisterWithCurrentStore(DataFileType()); }

}  // namespace qb
