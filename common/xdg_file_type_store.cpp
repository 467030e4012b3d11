#include "common/xdg_file_type_store.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

#include "common/file_replacement.h"
#include "common/file_type_tool_runner.h"
#include "common/file_type_xdg_files.h"
#include "common/regular_file.h"
#include "common/utf8.h"

namespace qb {
namespace {

std::filesystem::path AbsoluteOrEmpty(const char* value) {
  if (value == nullptr) return {};
  std::filesystem::path path(value);
  return path.is_absolute() ? path : std::filesystem::path();
}

std::filesystem::path HomeFolder() {
  if (auto home = AbsoluteOrEmpty(std::getenv("HOME")); !home.empty()) return home;
  const passwd* entry = ::getpwuid(::getuid());
  return entry != nullptr ? AbsoluteOrEmpty(entry->pw_dir) : std::filesystem::path();
}

// Readers (the cache tools, the desktop) see either the old file or the new
// one, never a half-written one.
bool WriteFileAtomically(const std::filesystem::path& path, const std::string& content) {
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  return !error && ReplaceFileContent(path, content).ok();
}

// A package file is a few hundred bytes; anything but a small regular file
// (a pipe would block the start of the program) reads as nothing.
std::string ReadFile(const std::filesystem::path& path) {
  constexpr std::uint64_t kMaxPackageBytes = 1 << 20;
  return ReadRegularFile(path, kMaxPackageBytes).value_or(std::string());
}

std::filesystem::path PackageIn(const std::filesystem::path& dataDir, const FileTypeDefinition& type) {
  return dataDir / "mime" / "packages" / ToPath(type.packageName + u".xml");
}

bool PackageHoldsType(const std::filesystem::path& dataDir, const FileTypeDefinition& type) {
  return ReadFile(PackageIn(dataDir, type)).find(ToUtf8(type.description)) != std::string::npos;
}

}  // namespace

XdgFileTypeStore::XdgFileTypeStore(std::filesystem::path dataHome, std::chrono::milliseconds toolTimeout)
    : XdgFileTypeStore(std::move(dataHome), SharedDataDirs(std::getenv("XDG_DATA_DIRS")), toolTimeout) {}

XdgFileTypeStore::XdgFileTypeStore(std::filesystem::path dataHome, std::vector<std::filesystem::path> sharedDataDirs,
                                   std::chrono::milliseconds toolTimeout)
    : dataHome_(std::move(dataHome)), sharedDataDirs_(std::move(sharedDataDirs)), toolTimeout_(toolTimeout) {}

std::vector<std::filesystem::path> XdgFileTypeStore::SharedDataDirs(const char* xdgDataDirs) {
  std::vector<std::filesystem::path> dirs;
  const std::string_view list = xdgDataDirs != nullptr ? xdgDataDirs : "";
  for (std::size_t start = 0; start <= list.size();) {
    const std::size_t end = std::min(list.find(':', start), list.size());
    const std::filesystem::path dir(list.substr(start, end - start));
    if (dir.is_absolute()) dirs.push_back(dir);
    start = end + 1;
  }
  if (dirs.empty()) dirs = {"/usr/local/share", "/usr/share"};
  return dirs;
}

std::filesystem::path XdgFileTypeStore::UserDataHome() {
  if (auto dataHome = AbsoluteOrEmpty(std::getenv("XDG_DATA_HOME")); !dataHome.empty()) return dataHome;
  const std::filesystem::path home = HomeFolder();
  return home.empty() ? home : home / ".local" / "share";
}

std::filesystem::path XdgFileTypeStore::PackagePath(const FileTypeDefinition& type) const {
  return PackageIn(dataHome_, type);
}

std::filesystem::path XdgFileTypeStore::DesktopEntryPath(const FileTypeDefinition& type) const {
  return dataHome_ / "applications" / ToPath(type.handler.desktopEntryName + u".desktop");
}

bool XdgFileTypeStore::IsRegistered(const FileTypeDefinition& type) {
  if (!dataHome_.empty() && PackageHoldsType(dataHome_, type)) return true;
  for (const std::filesystem::path& dir : sharedDataDirs_) {
    if (PackageHoldsType(dir, type)) return true;
  }
  return false;
}

void XdgFileTypeStore::Register(const FileTypeDefinition& type, std::u16string_view programFolder) {
  if (dataHome_.empty()) return;
  const bool entryWritten = WriteFileAtomically(DesktopEntryPath(type), DesktopEntryText(type, programFolder));
  const bool packageWritten = WriteFileAtomically(PackagePath(type), MimePackageXml(type));
  if (packageWritten) RunToolQuietly({"update-mime-database", (dataHome_ / "mime").string()}, toolTimeout_);
  if (entryWritten) RunToolQuietly({"update-desktop-database", (dataHome_ / "applications").string()}, toolTimeout_);
}

}  // namespace qb
