#pragma once
// What the reader's menu remembers, kept in the settings file in sections
// of its own ("Reader", "ReadingPlaces", "RecentBooks") beside the keys both
// programs share, which stay as they are. Paths and titles are stored as
// plain ASCII (UTF-8 bytes outside it as %XX), so the file never changes
// its encoding for them. Every update is one locked read-modify-write of
// the file, so two Viewers running at once merge their lists instead of
// overwriting each other's. A missing, damaged or foreign value reads as
// the default or as no entry; lines the Viewer does not know are kept.

#include <string>
#include <string_view>
#include <vector>

#include "common/outcome.h"
#include "viewer/reading_places.h"
#include "viewer/recent_books.h"

namespace qb::viewer {

struct ReaderOptions {
  bool resumeOnOpen = false;  // opening a book goes to where it was left
  bool spreads = false;       // two pages at a time in full screen
  bool rightToLeft = false;
  bool smoothShrink = false;  // area averaging instead of the classic AND shrink
  bool operator==(const ReaderOptions&) const = default;
};

ReaderOptions LoadReaderOptions(const std::u16string& settingsPath);
Outcome SaveReaderOptions(const std::u16string& settingsPath, const ReaderOptions& options);

std::vector<ReadingPlace> LoadReadingPlaces(const std::u16string& settingsPath);
// Puts place in front of the places the file holds now.
Outcome SaveReadingPlace(const std::u16string& settingsPath, const ReadingPlace& place);

std::vector<RecentBook> LoadRecentBooks(const std::u16string& settingsPath);
// Puts book in front of the books the file holds now.
Outcome SaveRecentBook(const std::u16string& settingsPath, const RecentBook& book);
Outcome ClearRecentBooks(const std::u16string& settingsPath);

// Text as printable ASCII without blanks: UTF-8 bytes other than letters,
// digits and "-._~/" become %XX. Unescaping gives nothing for text that is
// not such an escape (a stray "%" or bytes that are not UTF-8).
std::string EscapeSettingText(std::u16string_view text);
bool UnescapeSettingText(std::u16string_view escaped, std::u16string& text);

}  // namespace qb::viewer
