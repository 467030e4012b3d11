#pragma once
// The books opened lately, most recent first, as the menu lists them.

#include <cstddef>
#include <string>
#include <vector>

namespace qb::viewer {

inline constexpr std::size_t kRecentBooks = 10;

struct RecentBook {
  std::u16string path;
  std::u16string title;
  bool operator==(const RecentBook&) const = default;
};

// books with book in front, an older entry of the same path gone, and at
// most kRecentBooks kept.
std::vector<RecentBook> AddRecentBook(std::vector<RecentBook> books, const RecentBook& book);

// The menu's text for a book: its title and file name, or the file name
// alone for a book without title; "&" shown as itself.
std::u16string RecentBookLabel(const RecentBook& book);

}  // namespace qb::viewer
