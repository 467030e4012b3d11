#include "editor/natural_order.h"

namespace qb::editor {
namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
char16_t FoldAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c; }

// The digit run starting at pos, without its leading zeros; pos moves past it.
std::u16string_view Number(std::u16string_view text, std::size_t& pos) {
  const std::size_t start = pos;
  while (pos < text.size() && IsDigit(text[pos])) ++pos;
  std::size_t first = start;
  while (first + 1 < pos && text[first] == u'0') ++first;
  return text.substr(first, pos - first);
}

// <0, 0, >0 as a sorts before, with or after b in natural order.
int NaturalCompare(std::u16string_view a, std::u16string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      const std::u16string_view x = Number(a, i);
      const std::u16string_view y = Number(b, j);
      if (x.size() != y.size()) return x.size() < y.size() ? -1 : 1;
      if (const int order = x.compare(y); order != 0) return order;
      continue;
    }
    const char16_t x = FoldAscii(a[i++]);
    const char16_t y = FoldAscii(b[j++]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

}  // namespace

bool NaturalLess(std::u16string_view a, std::u16string_view b) {
  const int order = NaturalCompare(a, b);
  return order != 0 ? order < 0 : a < b;
}

}  // namespace qb::editor
