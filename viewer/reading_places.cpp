#include "viewer/reading_places.h"

#include <algorithm>

#include "viewer/pass_check.h"

namespace qb::viewer {

std::vector<ReadingPlace> RememberPlace(std::vector<ReadingPlace> places, const ReadingPlace& place) {
  std::erase_if(places, [&place](const ReadingPlace& old) { return old.book == place.book; });
  places.insert(places.begin(), place);
  if (places.size() > kRememberedBooks) places.resize(kRememberedBooks);
  return places;
}

std::optional<int> RememberedPage(const std::vector<ReadingPlace>& places, const BookIdentity& book) {
  const auto found =
      std::find_if(places.begin(), places.end(), [&book](const ReadingPlace& place) { return place.book == book; });
  if (found == places.end()) return std::nullopt;
  return found->page;
}

std::optional<int> ResumablePage(std::optional<int> remembered, int pageCount, std::int16_t passCheckFlag) {
  if (!IsUnlocked(passCheckFlag) || !remembered || *remembered < 2 || *remembered > pageCount) return std::nullopt;
  return remembered;
}

}  // namespace qb::viewer
