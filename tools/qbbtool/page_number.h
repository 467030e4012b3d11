#pragma once
// A 1-based page number typed by the user.

#include <string>

namespace qbbtool {

// The page number in text when it is a whole number from 1 to pageCount;
// 0 otherwise.
int ParsePageNumber(const std::string& text, int pageCount);

}  // namespace qbbtool
