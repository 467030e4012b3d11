#include "tools/qbbtool/page_number.h"

#include <algorithm>
#include <charconv>

namespace qbbtool {

bool IsWholeNumber(const std::string& text) {
  const auto digits = text.begin() + (text.starts_with('-') ? 1 : 0);
  return digits != text.end() && std::all_of(digits, text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int ParsePageNumber(const std::string& text, int pageCount) {
  int number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return 0;
  return number >= 1 && number <= pageCount ? number : 0;
}

}  // namespace qbbtool
