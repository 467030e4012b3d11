#include "common/hidden_file_name.h"

#include <algorithm>

namespace qb {
namespace {

constexpr std::size_t kMaxNameBytes = 255;

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::filesystem::path HiddenNameBeside(const std::filesystem::path& target, std::string_view suffix) {
  std::string name = target.filename().string();
  const std::size_t room = kMaxNameBytes - 1 - std::min(suffix.size(), kMaxNameBytes - 1);
  if (name.size() > room) {
    std::size_t cut = room;
    while (cut > 0 && IsUtf8Continuation(name[cut])) --cut;
    name.resize(cut);
  }
  return target.parent_path() / ("." + name + std::string(suffix));
}

}  // namespace qb
