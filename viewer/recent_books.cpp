#include "viewer/recent_books.h"

#include <algorithm>

#include "common/text_helpers.h"

namespace qb::viewer {

std::vector<RecentBook> AddRecentBook(std::vector<RecentBook> books, const RecentBook& book) {
  std::erase_if(books, [&book](const RecentBook& old) { return old.path == book.path; });
  books.insert(books.begin(), book);
  if (books.size() > kRecentBooks) books.resize(kRecentBooks);
  return books;
}

std::u16string RecentBookLabel(const RecentBook& book) {
  const std::size_t slash = book.path.find_last_of(u'/');
  const std::u16string fileName = slash == std::u16string::npos ? book.path : book.path.substr(slash + 1);
  const std::u16string title = Trim(book.title);
  const std::u16string label = title.empty() ? fileName : title + u" (" + fileName + u")";
  return ReplaceText(label, u"&", u"&&");
}

}  // namespace qb::viewer
