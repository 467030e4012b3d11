#include "editor/editor_fields.h"

#include "common/text_helpers.h"
#include "editor/number_text.h"

namespace qb::editor {

EditorFields FieldsFromBook(const BookRecord& book) {
  return EditorFields{Trim(book.Author), Trim(book.Title), Trim(book.Password), DecimalText(book.Price),
                      Trim(book.Url),    Trim(book.Mail),  Trim(book.Comment)};
}

}  // namespace qb::editor
