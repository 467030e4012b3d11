#pragma once
// Where each book was left: the last page shown of the books read lately,
// most recent first. A book is its real path and a digest of its header
// bytes, so a book replaced under the same name starts afresh.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qb::viewer {

inline constexpr std::size_t kRememberedBooks = 200;

struct BookIdentity {
  std::u16string path;  // symbolic links and "..", "." resolved
  std::string header;   // digest of the header bytes, hexadecimal
  bool operator==(const BookIdentity&) const = default;
};

struct ReadingPlace {
  BookIdentity book;
  int page = 1;
  bool operator==(const ReadingPlace&) const = default;
};

// places with place in front, its book's older entry gone, and the oldest
// entries beyond kRememberedBooks dropped.
std::vector<ReadingPlace> RememberPlace(std::vector<ReadingPlace> places, const ReadingPlace& place);

std::optional<int> RememberedPage(const std::vector<ReadingPlace>& places, const BookIdentity& book);

// The page a reader may continue from: none while the book is locked, and
// none when the book was left on page 1 or the page is not in it any more.
std::optional<int> ResumablePage(std::optional<int> remembered, int pageCount, std::int16_t passCheckFlag);

}  // namespace qb::viewer
