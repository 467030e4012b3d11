#pragma once
// What "qbbtool unpack" calls the files it writes, and what of a book its
// definition file cannot carry back through "qbbtool build" or QuillyEd.

#include <string>
#include <vector>

#include "book/book_record.h"

namespace qbbtool {

// "page001.bmp" ...: numbered from 1 and zero-padded to the digits of
// pageCount, but to at least three, so that the names sort in page order.
std::string PagePictureName(int page, int pageCount);

// Notes, one per field, on what a rebuild would change because the Editor
// does not accept it as it stands: a blank author (no book is bound), a
// blank title (it becomes [無題]).
std::vector<std::string> RebuildNotes(const qb::BookRecord& book);

// Notes, one per free text (comment, home page, mail address), where rebuilt
// (the record a rebuild from the definition file would write) holds it
// differently from book: surrounding blanks and line breaks other than CR LF
// do not come back through a definition file and the Editor.
std::vector<std::string> FreeTextNotes(const qb::BookRecord& book, const qb::BookRecord& rebuilt);

}  // namespace qbbtool
