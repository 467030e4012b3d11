#pragma once
// The texts of the main window's seven fields, and what the fields show for
// a book record: after a definition file is loaded and after an export.

#include <string>

#include "book/book_record.h"

namespace qb::editor {

struct EditorFields {
  std::u16string author;    // FLD(0)
  std::u16string title;     // FLD(1)
  std::u16string password;  // FLD(2)
  std::u16string price;     // FLD(3)
  std::u16string url;       // FLD(4)
  std::u16string mail;      // FLD(5)
  std::u16string comment;   // FLD(6)

  bool operator==(const EditorFields&) const = default;
};

// Each text without surrounding blanks; the price as a decimal number.
EditorFields FieldsFromBook(const BookRecord& book);

}  // namespace qb::editor
