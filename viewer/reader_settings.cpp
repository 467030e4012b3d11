#include "viewer/reader_settings.h"

#include <charconv>
#include <functional>
#include <optional>

#include "common/ini_document.h"
#include "common/ini_file.h"
#include "common/percent_encoding.h"
#include "common/utf8.h"

namespace qb::viewer {
namespace {

constexpr char16_t kOptionsSection[] = u"Reader";
constexpr char16_t kPlacesSection[] = u"ReadingPlaces";
constexpr char16_t kRecentSection[] = u"RecentBooks";

struct OptionKey {
  const char16_t* key;
  bool ReaderOptions::*value;
};
constexpr OptionKey kOptionKeys[] = {{u"ResumeOnOpen", &ReaderOptions::resumeOnOpen},
                                     {u"Spreads", &ReaderOptions::spreads},
                                     {u"RightToLeft", &ReaderOptions::rightToLeft},
                                     {u"SmoothShrink", &ReaderOptions::smoothShrink}};

std::u16string EntryKey(std::size_t index) { return u"Book" + FromUtf8(std::to_string(index + 1)); }

std::u16string Ascii(const std::string& text) { return {text.begin(), text.end()}; }

// The entries of a list section in order; values that do not parse (blank,
// damaged, written by someone else) are no entries.
template <typename Entry, typename Parse>
std::vector<Entry> ReadList(const IniDocument& document, const char16_t* section, std::size_t limit, Parse parse) {
  std::vector<Entry> entries;
  for (std::size_t i = 0; i < limit; ++i) {
    const std::optional<std::u16string> value = document.Find(section, EntryKey(i));
    if (!value) continue;
    if (std::optional<Entry> entry = parse(*value)) entries.push_back(std::move(*entry));
  }
  return entries;
}

// Writes the entries as Book1, Book2, ... and blanks the keys after them
// that an earlier, longer list left.
template <typename Entry, typename Format>
void WriteList(IniDocument& document, const char16_t* section, const std::vector<Entry>& entries, std::size_t limit,
               Format format) {
  for (std::size_t i = 0; i < limit; ++i) {
    if (i < entries.size()) {
      document.Set(section, EntryKey(i), Ascii(format(entries[i])));
    } else if (document.Find(section, EntryKey(i))) {
      document.Set(section, EntryKey(i), u"");
    }
  }
}

IniDocument ReadDocument(const std::u16string& settingsPath) {
  return IniDocument(ReadIniFile(settingsPath).value_or(std::string()));
}

// The value's blank-separated words.
std::vector<std::u16string_view> Words(std::u16string_view value) {
  std::vector<std::u16string_view> words;
  while (!value.empty()) {
    const std::size_t start = value.find_first_not_of(u' ');
    if (start == std::u16string_view::npos) break;
    value.remove_prefix(start);
    const std::size_t end = std::min(value.find(u' '), value.size());
    words.push_back(value.substr(0, end));
    value.remove_prefix(end);
  }
  return words;
}

// "page digest path"
std::optional<ReadingPlace> ParsePlace(std::u16string_view value) {
  const auto words = Words(value);
  if (words.size() != 3) return std::nullopt;
  const std::string page = ToUtf8(words[0]);
  ReadingPlace place;
  const auto [end, error] = std::from_chars(page.data(), page.data() + page.size(), place.page);
  if (error != std::errc() || end != page.data() + page.size() || place.page < 1) return std::nullopt;
  place.book.header = ToUtf8(words[1]);
  if (!UnescapeSettingText(words[2], place.book.path) || place.book.path.empty()) return std::nullopt;
  return place;
}

std::string FormatPlace(const ReadingPlace& place) {
  return std::to_string(place.page) + ' ' + EscapeSettingText(FromUtf8(place.book.header)) + ' ' +
         EscapeSettingText(place.book.path);
}

// "path title", the title left out when empty
std::optional<RecentBook> ParseRecent(std::u16string_view value) {
  const auto words = Words(value);
  RecentBook book;
  if (words.empty() || words.size() > 2 || !UnescapeSettingText(words[0], book.path) || book.path.empty()) {
    return std::nullopt;
  }
  if (words.size() == 2 && !UnescapeSettingText(words[1], book.title)) return std::nullopt;
  return book;
}

std::string FormatRecent(const RecentBook& book) {
  std::string value = EscapeSettingText(book.path);
  if (!book.title.empty()) value += ' ' + EscapeSettingText(book.title);
  return value;
}

Outcome UpdateDocument(const std::u16string& settingsPath, const std::function<void(IniDocument&)>& change) {
  return UpdateIniFile(settingsPath, [&change](std::string_view content) {
    IniDocument document(content);
    change(document);
    return document.Text();
  });
}

}  // namespace

std::string EscapeSettingText(std::u16string_view text) { return PercentEncode(ToUtf8(text), "/"); }

bool UnescapeSettingText(std::u16string_view escaped, std::u16string& text) {
  const auto hexValue = [](char16_t c) -> int {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return -1;
  };
  std::string bytes;
  for (std::size_t i = 0; i < escaped.size(); ++i) {
    const char16_t c = escaped[i];
    if (c == u'%') {
      if (i + 2 >= escaped.size()) return false;
      const int high = hexValue(escaped[i + 1]);
      const int low = hexValue(escaped[i + 2]);
      if (high < 0 || low < 0) return false;
      bytes += static_cast<char>(high * 16 + low);
      i += 2;
    } else if (c > u' ' && c < 0x7F) {
      bytes += static_cast<char>(c);
    } else {
      return false;
    }
  }
  std::u16string decoded = FromUtf8(bytes);
  if (ToUtf8(decoded) != bytes) return false;
  text = std::move(decoded);
  return true;
}

ReaderOptions LoadReaderOptions(const std::u16string& settingsPath) {
  const IniDocument document = ReadDocument(settingsPath);
  ReaderOptions options;
  for (const OptionKey& option : kOptionKeys) {
    const std::optional<std::u16string> value = document.Find(kOptionsSection, option.key);
    if (value == u"1") options.*option.value = true;
    if (value == u"0") options.*option.value = false;
  }
  return options;
}

Outcome SaveReaderOptions(const std::u16string& settingsPath, const ReaderOptions& options) {
  return UpdateDocument(settingsPath, [&options](IniDocument& document) {
    for (const OptionKey& option : kOptionKeys)
      document.Set(kOptionsSection, option.key, options.*option.value ? u"1" : u"0");
  });
}

std::vector<ReadingPlace> LoadReadingPlaces(const std::u16string& settingsPath) {
  return ReadList<ReadingPlace>(ReadDocument(settingsPath), kPlacesSection, kRememberedBooks, ParsePlace);
}

Outcome SaveReadingPlace(const std::u16string& settingsPath, const ReadingPlace& place) {
  return UpdateDocument(settingsPath, [&place](IniDocument& document) {
    const auto places =
        RememberPlace(ReadList<ReadingPlace>(document, kPlacesSection, kRememberedBooks, ParsePlace), place);
    WriteList(document, kPlacesSection, places, kRememberedBooks, FormatPlace);
  });
}

std::vector<RecentBook> LoadRecentBooks(const std::u16string& settingsPath) {
  return ReadList<RecentBook>(ReadDocument(settingsPath), kRecentSection, kRecentBooks, ParseRecent);
}

Outcome SaveRecentBook(const std::u16string& settingsPath, const RecentBook& book) {
  return UpdateDocument(settingsPath, [&book](IniDocument& document) {
    const auto books = AddRecentBook(ReadList<RecentBook>(document, kRecentSection, kRecentBooks, ParseRecent), book);
    WriteList(document, kRecentSection, books, kRecentBooks, FormatRecent);
  });
}

Outcome ClearRecentBooks(const std::u16string& settingsPath) {
  return UpdateDocument(settingsPath, [](IniDocument& document) {
    WriteList(document, kRecentSection, std::vector<RecentBook>{}, kRecentBooks, FormatRecent);
  });
}

}  // namespace qb::viewer
