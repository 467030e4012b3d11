#include "common/path_helpers.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>

#include "common/text_helpers.h"
#include "common/utf8.h"

namespace qb {
namespace {

enum class Kind { Missing, File, Folder };

Kind KindOf(std::u16string_view path) {
  if (path.empty()) return Kind::Missing;
  struct stat st {};
  if (::stat(ToUtf8(path).c_str(), &st) != 0) return Kind::Missing;
  return S_ISDIR(st.st_mode) ? Kind::Folder : Kind::File;
}

}  // namespace

std::u16string AddPathSeparator(std::u16string_view path) {
  std::u16string out(path);
  if (out.empty() || out.back() != kPathSeparator) out += kPathSeparator;
  return out;
}

std::u16string FolderOfPath(std::u16string_view path) {
  const Kind kind = KindOf(path);
  if (kind == Kind::Missing) return {};
  if (kind == Kind::Folder) return std::u16string(path);
  const int p = FindLast(path, std::u16string(1, kPathSeparator));
  if (p == 0) return {};
  // A file directly in the root folder: its folder is the root itself.
  const std::u16string folder = p == 1 ? std::u16string(1, kPathSeparator) : std::u16string(path.substr(0, p - 1));
  return KindOf(folder) == Kind::Folder ? folder : std::u16string();
}

std::u16string ProgramFolder() {
  std::array<char, 4096> buffer{};
  const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (n <= 0) return FromPath(std::filesystem::current_path());
  const std::filesystem::path exe(std::string(buffer.data(), static_cast<std::size_t>(n)));
  return FromPath(exe.parent_path());
}

}  // namespace qb
