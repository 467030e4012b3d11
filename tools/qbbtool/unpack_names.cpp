#include "tools/qbbtool/unpack_names.h"

#include <algorithm>

#include "common/text_helpers.h"

namespace qbbtool {

std::string PagePictureName(int page, int pageCount) {
  const std::size_t width = std::max<std::size_t>(3, std::to_string(std::max(pageCount, 1)).size());
  std::string number = std::to_string(page);
  if (number.size() < width) number.insert(0, width - number.size(), '0');
  return "page" + number + ".bmp";
}

std::vector<std::string> RebuildNotes(const qb::BookRecord& book) {
  std::vector<std::string> notes;
  if (qb::Trim(book.Author).empty()) {
    notes.push_back("the author is blank: set 作者 in the definition file before building the book again");
  }
  if (qb::Trim(book.Title).empty()) notes.push_back("the title is blank: a book built again is titled [無題]");
  return notes;
}

std::vector<std::string> FreeTextNotes(const qb::BookRecord& book, const qb::BookRecord& rebuilt) {
  std::vector<std::string> notes;
  const auto note = [&](const std::u16string& was, const std::u16string& becomes, const char* field) {
    if (was != becomes) {
      notes.push_back(std::string("the ") + field +
                      " has surrounding blanks or line breaks a definition file does not keep: "
                      "a book built again holds it changed");
    }
  };
  note(book.Comment, rebuilt.Comment, "comment");
  note(book.Url, rebuilt.Url, "home page");
  note(book.Mail, rebuilt.Mail, "mail address");
  return notes;
}

}  // namespace qbbtool
