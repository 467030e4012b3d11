#include "viewer/window_title.h"

#include "common/text_helpers.h"

namespace qb::viewer {

std::u16string BookWindowTitle(const BookRecord& book) {
  return std::u16string(kProgramTitle) + u":[" + Trim(book.Title) + u"/" + Trim(book.Author) + u"]";
}

}  // namespace qb::viewer
