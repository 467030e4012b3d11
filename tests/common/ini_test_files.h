#pragma once
// Temporary folders and raw file access for the INI, settings and path tests.

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <string>
#include <system_error>
#include <vector>

#include "common/utf8.h"

namespace qb::testing {

// A fresh folder under the system's temporary folder, removed with all it
// holds (read-only parts included) when the test ends. Everyone may enter
// it, so that a test can act as an unprivileged user inside it.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qb-ini-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    std::filesystem::permissions(path_, std::filesystem::perms::all);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored)) {
      if (entry.is_directory(ignored) && !entry.is_symlink(ignored)) {
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
      }
    }
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }

  const std::filesystem::path& path() const { return path_; }
  std::u16string text() const { return FromPath(path_); }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Writes bytes to path and gives it exactly permissions.
inline void WriteBytesWithPermissions(const std::filesystem::path& path, const std::string& bytes,
                                      std::filesystem::perms permissions) {
  WriteBytes(path, bytes);
  std::filesystem::permissions(path, permissions);
}

// Writes bytes to folder/sub/name and links folder/link to it by a relative
// path, as a user's shortcut to a file kept elsewhere; returns the file.
inline std::filesystem::path WriteLinkedFile(const TempFolder& folder, const std::string& sub, const std::string& name,
                                             const std::string& link, const std::string& bytes) {
  std::filesystem::create_directory(folder / sub);
  WriteBytes(folder / sub / name, bytes);
  std::filesystem::create_symlink(std::filesystem::path(sub) / name, folder / link);
  return folder / sub / name;
}

// The names in folder, sorted, as one text for readable failure messages.
inline std::string ListFolder(const std::filesystem::path& folder) {
  std::string names;
  std::vector<std::string> sorted;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) sorted.push_back(entry.path().filename());
  std::sort(sorted.begin(), sorted.end());
  for (const auto& name : sorted) names += name + "\n";
  return names;
}

enum class Outcome { Passed, Failed, NoUnprivilegedUser };

inline void PrintTo(Outcome outcome, std::ostream* out) {
  constexpr const char* kNames[] = {"Passed", "Failed", "NoUnprivilegedUser"};
  *out << kNames[static_cast<int>(outcome)];
}

// Runs check as a user without the superuser's power to ignore file
// permissions: directly for an ordinary user, in a child process that has
// become "nobody" when the tests run as root.
inline Outcome RunUnprivileged(const std::function<bool()>& check) {
  if (::geteuid() != 0) return check() ? Outcome::Passed : Outcome::Failed;
  const pid_t child = ::fork();
  if (child == 0) {
    constexpr uid_t kNobody = 65534;
    if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(2);
    ::_exit(check() ? 0 : 1);
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return Outcome::Failed;
  switch (WEXITSTATUS(status)) {
    case 0: return Outcome::Passed;
    case 2: return Outcome::NoUnprivilegedUser;
    default: return Outcome::Failed;
  }
}

}  // namespace qb::testing
