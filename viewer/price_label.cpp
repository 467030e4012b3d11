#include "viewer/price_label.h"

namespace qb::viewer {

std::u16string FormatPriceLabel(std::int32_t price) {
  // Widened first: the magnitude of the lowest 32-bit value has no 32-bit form.
  const std::int64_t value = price;
  const std::uint64_t magnitude = static_cast<std::uint64_t>(value < 0 ? -value : value);
  const std::string digits = std::to_string(magnitude);
  std::u16string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += u',';
    grouped += static_cast<char16_t>(digits[i]);
  }
  return std::u16string(u"\u00A5") + (value < 0 ? u"-" : u"") + grouped;
}

}  // namespace qb::viewer
