#pragma once
// The metafile's object table: as many slots as the header states, and each
// new object takes the lowest free slot, exactly as GDI numbers them while
// recording, so later SelectObject and DeleteObject records find them.

#include "image/metafile/metafile_gdi_objects.h"

#include <cstdint>
#include <optional>
#include <set>
#include <vector>

namespace qb::wmf {

class ObjectTable {
 public:
  explicit ObjectTable(uint16_t capacity) : capacity_(capacity) {}

  // The slot the object went to, or -1 when every slot is taken.
  int Add(GdiObject object);
  // The object in slot index, or null for an empty or nonexistent slot.
  const GdiObject* Get(int index) const;
  void Remove(int index);

 private:
  size_t capacity_;
  std::vector<std::optional<GdiObject>> slots_;  // grows up to capacity_
  std::set<size_t> freed_;                       // emptied slots below slots_.size()
};

}  // namespace qb::wmf
