#pragma once
// A 1-based page number typed by the user.

#include <string>

namespace qbbtool {

// Whether text is written as a whole number (digits after an optional "-"),
// however large: anything else is not a page number at all.
bool IsWholeNumber(const std::string& text);

// The page number in text when it is a whole number from 1 to pageCount;
// 0 otherwise.
int ParsePageNumber(const std::string& text, int pageCount);

}  // namespace qbbtool
