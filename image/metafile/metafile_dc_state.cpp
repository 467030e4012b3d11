#include "image/metafile/metafile_dc_state.h"

#include <utility>

namespace qb::wmf {

bool DcStateStack::Restore(int level, DcState* current) {
  const long long depth = static_cast<long long>(saved_.size());
  const long long target = level < 0 ? depth + level : level - 1;  // index of the state to restore
  if (level == 0 || target < 0 || target >= depth) return false;
  *current = std::move(saved_[static_cast<size_t>(target)]);
  saved_.resize(static_cast<size_t>(target));
  return true;
}

}  // namespace qb::wmf
