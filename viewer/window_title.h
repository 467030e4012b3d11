#pragma once
// The main window's title: the program's name, and with a book open its
// title and author.

#include <string>

#include "book/book_record.h"

namespace qb::viewer {

// Also the title of the Viewer's message boxes.
inline constexpr char16_t kProgramTitle[] = u"Quillberry";

// "Quillberry:[" title "/" author "]", both without surrounding blanks.
std::u16string BookWindowTitle(const BookRecord& book);

}  // namespace qb::viewer
