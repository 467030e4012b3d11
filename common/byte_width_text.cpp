#include "common/byte_width_text.h"

#include "common/cp932.h"

namespace qb {

std::size_t ByteWidth(std::u16string_view text) { return cp932::Encode(text).size(); }

std::u16string FitToBytes(std::u16string_view text, std::size_t width) {
  std::u16string out;
  std::size_t used = 0;
  // Code page 932 encodes unit by unit, so widths add up per unit.
  for (const char16_t unit : text) {
    const std::size_t size = cp932::Encode(std::u16string_view(&unit, 1)).size();
    if (used + size > width) break;
    out += unit;
    used += size;
  }
  out.append(width - used, u' ');
  return out;
}

}  // namespace qb
