#pragma once
// UTF-8 <-> UTF-16 for the places where text meets the Linux world (paths,
// command-line arguments, JSON output). Invalid input becomes U+FFFD.

#include <filesystem>
#include <string>
#include <string_view>

namespace qb {

std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

// A native file-system path for a path held as text.
std::filesystem::path ToPath(std::u16string_view text);
std::u16string FromPath(const std::filesystem::path& path);

}  // namespace qb
