#include "image/metafile/metafile_object_table.h"

#include <utility>

namespace qb::wmf {

int ObjectTable::Add(GdiObject object) {
  size_t index;
  if (!freed_.empty()) {
    index = *freed_.begin();
    freed_.erase(freed_.begin());
  } else if (slots_.size() < capacity_) {
    index = slots_.size();
    slots_.emplace_back();
  } else {
    return -1;
  }
  slots_[index] = std::move(object);
  return static_cast<int>(index);
}

const GdiObject* ObjectTable::Get(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= slots_.size() || !slots_[index]) return nullptr;
  return &*slots_[index];
}

void ObjectTable::Remove(int index) {
  if (!Get(index)) return;
  slots_[index].reset();
  freed_.insert(static_cast<size_t>(index));
}

}  // namespace qb::wmf
