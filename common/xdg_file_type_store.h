#pragma once
// File-type registrations for the current user on a freedesktop.org desktop:
// a shared-mime-info package under <data home>/mime/packages declares the
// type, a launcher entry under <data home>/applications names the program
// that opens it. The package holding the type's description is what counts
// as "registered", as the class description does in the Windows registry.
// A package installed with the programs, system-wide or beside them, counts
// as well: an installed program then writes nothing at its first start.

#include <chrono>
#include <filesystem>
#include <string_view>
#include <vector>

#include "common/file_type_store.h"

namespace qb {

class XdgFileTypeStore : public FileTypeStore {
 public:
  static constexpr std::chrono::milliseconds kDefaultToolTimeout{2500};

  // dataHome empty: no place to register in; the store writes nothing.
  // Registrations are also looked for in SharedDataDirs of the environment.
  explicit XdgFileTypeStore(std::filesystem::path dataHome,
                            std::chrono::milliseconds toolTimeout = kDefaultToolTimeout);
  // Registrations are also looked for in sharedDataDirs, which are never written.
  XdgFileTypeStore(std::filesystem::path dataHome, std::vector<std::filesystem::path> sharedDataDirs,
                   std::chrono::milliseconds toolTimeout = kDefaultToolTimeout);

  // $XDG_DATA_HOME when it is an absolute path, otherwise ~/.local/share;
  // empty when there is no home folder either.
  static std::filesystem::path UserDataHome();

  // The data folders whose registrations count besides the user's own: each
  // absolute entry of xdgDataDirs (a ":"-separated list; /usr/local/share
  // and /usr/share when it is null or has none). Only folders the desktop
  // searches count: a registration installed under a prefix it does not
  // search associates nothing, so the user's own is written then.
  static std::vector<std::filesystem::path> SharedDataDirs(const char* xdgDataDirs);

  bool IsRegistered(const FileTypeDefinition& type) override;

  // Writes the launcher entry and then the package, each atomically, so an
  // interrupted registration is not taken for a complete one at the next
  // start; then refreshes the desktop's caches.
  void Register(const FileTypeDefinition& type, std::u16string_view programFolder) override;

  // In the user's data home.
  std::filesystem::path PackagePath(const FileTypeDefinition& type) const;
  std::filesystem::path DesktopEntryPath(const FileTypeDefinition& type) const;

 private:
  std::filesystem::path dataHome_;
  std::vector<std::filesystem::path> sharedDataDirs_;
  std::chrono::milliseconds toolTimeout_;
};

}  // namespace qb
