#include "common/file_type_store.h"

namespace qb {
namespace {

FileTypeStore* installedStore = nullptr;

}  // namespace

ScopedFileTypeStore::ScopedFileTypeStore(FileTypeStore& store) : previous_(installedStore) { installedStore = &store; }

ScopedFileTypeStore::~ScopedFileTypeStore() { installedStore = previous_; }

FileTypeStore* ScopedFileTypeStore::Installed() { return installedStore; }

}  // namespace qb
