#pragma once
// The desktop's thumbnailer entry for books: it tells file managers to run
// "qbbtool thumbnail" for a preview of every book.

#include <string>
#include <string_view>

namespace qbbtool {

// The entry's file name in <data dir>/thumbnailers.
inline constexpr std::string_view kThumbnailerFileName = "quillberry.thumbnailer";

// The entry (UTF-8) running the qbbtool at qbbtoolPath (absolute, so it
// works whether or not its folder is on PATH) for the book type.
std::string ThumbnailerEntryText(std::string_view qbbtoolPath);

}  // namespace qbbtool
