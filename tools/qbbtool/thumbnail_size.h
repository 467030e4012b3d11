#pragma once
// The size of a thumbnail: the page fitted into a square box, for the
// desktop's preview of a book in a file manager.

#include <QSize>
#include <optional>
#include <string>

namespace qbbtool {

inline constexpr int kDefaultThumbnailSize = 256;
inline constexpr int kLargestThumbnailSize = 4096;

// The page's size fitted into box x box with its aspect ratio kept, never
// enlarged (more pixels than the page has add no detail, only bytes to the
// desktop's cache) and never below 1 pixel either way. An empty page gives
// an empty size.
QSize ThumbnailSize(QSize page, int box);

// The box size in text when it is a whole number from 1 to
// kLargestThumbnailSize.
std::optional<int> ParseThumbnailSize(const std::string& text);

}  // namespace qbbtool
