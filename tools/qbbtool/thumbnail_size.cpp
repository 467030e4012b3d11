#include "tools/qbbtool/thumbnail_size.h"

#include <algorithm>
#include <charconv>

namespace qbbtool {

QSize ThumbnailSize(QSize page, int box) {
  if (page.isEmpty() || box <= 0) return {};
  if (page.width() <= box && page.height() <= box) return page;
  // Rounded, not cut: a 600 x 450 page in 128 is 128 x 96, a 3 x 2 page in 2 is 2 x 1.
  const long long w = page.width(), h = page.height();
  if (w >= h) return {box, static_cast<int>(std::max(1LL, (h * box + w / 2) / w))};
  return {static_cast<int>(std::max(1LL, (w * box + h / 2) / h)), box};
}

std::optional<int> ParseThumbnailSize(const std::string& text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 1 || value > kLargestThumbnailSize) {
    return std::nullopt;
  }
  return value;
}

}  // namespace qbbtool
