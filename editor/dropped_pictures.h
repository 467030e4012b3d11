#pragma once
// Which of the files and folders dropped on the Editor become pages: the
// pictures the add dialog offers, by their name's ending.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qb::editor {

// Whether the add dialog would offer path: the endings of its patterns
// (".gif" only while the GIF option is nonzero), letter case ignored.
bool IsAddablePicture(std::u16string_view path, std::int16_t gifOption);

// The pictures to append for a drop, in order: each dropped picture as it
// comes, each dropped folder as its own pictures (not those of its
// subfolders) in natural name order. Other files, and folders that cannot
// be read, give nothing.
std::vector<std::u16string> PicturesFromDrop(const std::vector<std::u16string>& dropped, std::int16_t gifOption);

}  // namespace qb::editor
