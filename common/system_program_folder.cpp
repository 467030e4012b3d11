#include "common/system_program_folder.h"

namespace qb {

bool IsSystemProgramFolder(std::u16string_view folder) {
  constexpr std::u16string_view kUsr = u"/usr";
  return folder.substr(0, kUsr.size()) == kUsr && (folder.size() == kUsr.size() || folder[kUsr.size()] == u'/');
}

}  // namespace qb
