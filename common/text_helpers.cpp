#include "text_helpers.h"

namespace qb {

std::u16string CutAtNull(std::u16string_view text) {
  const auto nul = text.find(u'\0');
  return std::u16string(nul == std::u16string_view::npos ? text : text.substr(0, nul));
}

std::u16string GetField(std::u16string_view text, int n, std::u16string_view separator) {
  std::size_t pos = 0;
  for (int i = 1; i < n; ++i) {
    const auto found = text.find(separator, pos);
    if (found == std::u16string_view::npos) return {};
    pos = found + 1;
  }
  if (n >= 2 && !separator.empty()) pos += separator.size() - 1;
  if (pos >= text.size()) return {};
  const auto end = text.find(separator, pos);
  if (end == std::u16string_view::npos) return std::u16string(text.substr(pos));
  return std::u16string(text.substr(pos, end - pos));
}

std::u16string ReplaceText(std::u16string_view text, std::u16string_view search, std::u16string_view replacement) {
  if (search.empty()) return std::u16string(text);
  std::u16string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  for (auto found = text.find(search); found != std::u16string_view::npos; found = text.find(search, pos)) {
    out.append(text.substr(pos, found - pos));
    out.append(replacement);
    pos = found + search.size();
  }
  out.append(text.substr(pos));
  return out;
}

int FindLast(std::u16string_view text, std::u16string_view part) {
  if (text.empty() || part.empty() || part.size() > text.size()) return 0;
  const auto found = text.rfind(part);
  return found == std::u16string_view::npos ? 0 : static_cast<int>(found) + 1;
}

std::u16string StripQuotes(std::u16string_view text) {
  if (text.size() >= 2 && text.front() == u'"' && text.back() == u'"') {
    return std::u16string(text.substr(1, text.size() - 2));
  }
  return std::u16string(text);
}

std::u16string Trim(std::u16string_view text) {
  const auto first = text.find_first_not_of(u' ');
  if (first == std::u16string_view::npos) return {};
  const auto last = text.find_last_not_of(u' ');
  return std::u16string(text.substr(first, last - first + 1));
}

std::u16string FitToChars(std::u16string_view text, std::size_t width) {
  std::u16string out(text.substr(0, width));
  out.resize(width, u' ');
  return out;
}

}  // namespace qb
