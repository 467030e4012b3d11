#include "tools/qbbtool/page_number.h"

#include <charconv>

namespace qbbtool {

int ParsePageNumber(const std::string& text, int pageCount) {
  int number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return 0;
  return number >= 1 && number <= pageCount ? number : 0;
}

}  // namespace qbbtool
