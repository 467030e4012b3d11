#pragma once
// The texts of a book record that lose or change characters when the book
// stores them in code page 932, so that whoever wrote the book can tell its
// author. Nothing is reported for texts that fit.

#include <string>
#include <vector>

#include "book/book_record.h"

namespace qb {

enum class BookText { Author, Title, Password, Comment, Url, Mail };

struct TextLoss {
  BookText field;
  std::u16string characters;  // each lost or changed character once, in order
};

// In the order of BookText; empty when every text fits.
std::vector<TextLoss> TextLosses(const BookRecord& book);

}  // namespace qb
