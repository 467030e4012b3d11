#pragma once
// The price as the password prompt shows it.

#include <cstdint>
#include <string>

namespace qb::viewer {

// The yen sign followed by the price grouped by thousands with at least one
// digit: 0 gives "¥0", 1500 "¥1,500", -1500 "¥-1,500".
std::u16string FormatPriceLabel(std::int32_t price);

}  // namespace qb::viewer
