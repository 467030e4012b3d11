#pragma once
// The names export gives its two files.

#include <string>
#include <string_view>

namespace qb::editor {

// The book file for the name the save dialog returned: ".qbb" appended
// unless the name's last four characters, in lower case, are ".qbb". So
// "fable" becomes "fable.qbb", "fable.QBB" stays, "fable.txt" becomes
// "fable.txt.qbb".
std::u16string BookFileName(std::u16string_view chosen);

// The definition file beside a book: the book's name without its last four
// characters, followed by ".qbd".
std::u16string DefinitionPathForBook(std::u16string_view bookPath);

}  // namespace qb::editor
