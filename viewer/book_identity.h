#pragma once
// Telling books apart for the reading places: the file's real path (links
// followed, so two names of one file are one book) and a digest of its
// header bytes (so a book replaced under the same name is a new book).

#include <string>

#include "viewer/reading_places.h"

namespace qb::viewer {

// An empty header digest when the file cannot be read.
BookIdentity IdentifyBook(const std::u16string& path);

}  // namespace qb::viewer
