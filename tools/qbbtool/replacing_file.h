#pragma once
// Writing a file that a reader may open at any moment, or that holds work:
// the content goes into a temporary file beside it, which replaces the old
// file only once complete.

#include <QIODevice>
#include <functional>
#include <string>

namespace qbbtool {

// Calls fill with the temporary file and renames it to path (UTF-8) when
// fill returned true. False when the file could not be created, filled or
// renamed; path is then left as it was.
bool WriteFileReplacing(const std::string& path, const std::function<bool(QIODevice&)>& fill);

}  // namespace qbbtool
