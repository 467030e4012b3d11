// The rules behind the reader's menu: reading places, recent books, spreads,
// right-to-left keys, and how they are kept in the settings file.

#include <gtest/gtest.h>

#include <fstream>

#include "book/book_test_support.h"
#include "common/ini_access.h"
#include "common/utf8.h"
#include "viewer/pass_check.h"
#include "viewer/reader_settings.h"
#include "viewer/reading_order.h"
#include "viewer/reading_places.h"
#include "viewer/recent_books.h"
#include "viewer/spread_rules.h"

namespace qb::viewer {
namespace {

ReadingPlace Place(int n, int page = 2) { return {{u"/books/" + FromUtf8(std::to_string(n)) + u".qbb", "h"}, page}; }

TEST(ReadingPlaces, TheTwoHundredAndFirstBookDropsTheOldest) {
  std::vector<ReadingPlace> places;
  for (int n = 1; n <= 200; ++n) places = RememberPlace(places, Place(n));
  ASSERT_EQ(places.size(), 200u);
  EXPECT_TRUE(RememberedPage(places, Place(1).book));
  places = RememberPlace(places, Place(1, 9));  // read again: moves to the front, nothing dropped
  EXPECT_EQ(places.size(), 200u);
  places = RememberPlace(places, Place(201));
  EXPECT_EQ(places.size(), 200u);
  EXPECT_FALSE(RememberedPage(places, Place(2).book));
  EXPECT_EQ(RememberedPage(places, Place(1).book), 9);
  EXPECT_EQ(places.front(), Place(201));
}

TEST(ReadingPlaces, AReplacedBookIsANewBook) {
  const auto places = RememberPlace({}, {{u"/b.qbb", "aaaa"}, 5});
  EXPECT_EQ(RememberedPage(places, {u"/b.qbb", "aaaa"}), 5);
  EXPECT_FALSE(RememberedPage(places, {u"/b.qbb", "bbbb"}));
}

TEST(ReadingPlaces, ResumableOnlyWhileUnlockedAndWithinTheBook) {
  struct Case {
    std::optional<int> remembered;
    int pageCount;
    std::int16_t flag;
    std::optional<int> expected;
  } const cases[] = {
      {5, 7, kUnlocked, 5},     {5, 7, kLocked, std::nullopt},   {1, 7, kUnlocked, std::nullopt},
      {7, 7, kUnlocked, 7},     {8, 7, kUnlocked, std::nullopt}, {std::nullopt, 7, kUnlocked, std::nullopt},
      {32767, 32767, 1, 32767},
  };
  for (const Case& c : cases) EXPECT_EQ(ResumablePage(c.remembered, c.pageCount, c.flag), c.expected);
}

TEST(RecentBooks, MostRecentFirstWithoutDoublesAtMostTen) {
  std::vector<RecentBook> books;
  for (int n = 1; n <= 12; ++n) books = AddRecentBook(books, {u"/" + FromUtf8(std::to_string(n)), u""});
  ASSERT_EQ(books.size(), kRecentBooks);
  EXPECT_EQ(books.front().path, u"/12");
  EXPECT_EQ(books.back().path, u"/3");
  books = AddRecentBook(books, {u"/5", u"again"});
  ASSERT_EQ(books.size(), kRecentBooks);
  EXPECT_EQ(books.front(), (RecentBook{u"/5", u"again"}));
  EXPECT_EQ(std::count_if(books.begin(), books.end(), [](const RecentBook& b) { return b.path == u"/5"; }), 1);
}

TEST(RecentBooks, LabelShowsTitleAndFileName) {
  EXPECT_EQ(RecentBookLabel({u"/a/b/tale.qbb", u"  Tale "}), u"Tale (tale.qbb)");
  EXPECT_EQ(RecentBookLabel({u"/a/b/tale.qbb", u""}), u"tale.qbb");
  EXPECT_EQ(RecentBookLabel({u"/x/R&D.qbb", u"A&B"}), u"A&&B (R&&D.qbb)");
}

// wide pages by letter: 'w' wider than tall, 't' tall
std::vector<bool> Pages(const std::string& shapes) {
  std::vector<bool> wide;
  for (const char c : shapes) wide.push_back(c == 'w');
  return wide;
}

TEST(Spreads, GroupingRules) {
  struct Case {
    const char* shapes;
    std::vector<Spread> spreads;  // every spread in order
  } const cases[] = {
      {"t", {{1, 1}}},
      {"tt", {{1, 1}, {2, 2}}},                     // last page alone
      {"ttt", {{1, 1}, {2, 3}}},                    // odd count pairs up
      {"tttt", {{1, 1}, {2, 3}, {4, 4}}},           // even count leaves the last alone
      {"wtt", {{1, 1}, {2, 3}}},                    // a wide cover is alone anyway
      {"ttwtt", {{1, 1}, {2, 2}, {3, 3}, {4, 5}}},  // a wide page breaks the pairs
      {"tttwtt", {{1, 1}, {2, 3}, {4, 4}, {5, 6}}},
      {"ttww", {{1, 1}, {2, 2}, {3, 3}, {4, 4}}},
  };
  for (const Case& c : cases) {
    const auto wide = Pages(c.shapes);
    for (const Spread& spread : c.spreads) {
      for (int page = spread.first; page <= spread.last; ++page) {
        EXPECT_EQ(SpreadAt(page, wide), spread) << c.shapes << " page " << page;
      }
    }
    // Stepping visits each spread's first page, forwards and back.
    int page = 1;
    for (std::size_t i = 1; i < c.spreads.size(); ++i)
      EXPECT_EQ(page = SteppedSpreadPage(page, +1, wide), c.spreads[i].first);
    EXPECT_EQ(SteppedSpreadPage(page, +1, wide), page) << c.shapes;
    for (std::size_t i = c.spreads.size() - 1; i > 0; --i)
      EXPECT_EQ(page = SteppedSpreadPage(page, -1, wide), c.spreads[i - 1].first);
    EXPECT_EQ(SteppedSpreadPage(1, -1, wide), 1);
  }
  // From the second page of a spread, back goes to the spread before.
  EXPECT_EQ(SteppedSpreadPage(5, -1, Pages("tttttt")), 2);
  EXPECT_EQ(SteppedSpreadPage(3, +1, Pages("tttttt")), 4);
}

TEST(Spreads, SplitSidesSideBySideCentredOnTheTallerHeight) {
  // 640 x 480 and 320 x 240 as one 960 x 480 picture drawn at 1920 x 960.
  EXPECT_EQ(SplitSpread({0, 60, 1920, 960}, 640, 480, 320, 240),
            (SpreadAreas{{0, 60, 1280, 960}, {1280, 300, 640, 480}}));
  // Uneven widths: the halves still meet and fill the whole width.
  const SpreadAreas odd = SplitSpread({7, 0, 1001, 500}, 333, 500, 334, 500);
  EXPECT_EQ(odd.left.x + odd.left.width, odd.right.x);
  EXPECT_EQ(odd.left.width + odd.right.width, 1001);
  EXPECT_EQ(SplitSpread({0, 0, 10, 10}, 0, 0, 0, 0), SpreadAreas{});
}

TEST(ReadingOrder, RightToLeftSwapsOnlyTheArrows) {
  struct Case {
    ReaderKey key;
    KeyModifiers modifiers;
    PageKeyAction leftToRight;
    PageKeyAction rightToLeft;
  } const cases[] = {
      {ReaderKey::Left, {}, PageKeyAction::Previous, PageKeyAction::Next},
      {ReaderKey::Right, {}, PageKeyAction::Next, PageKeyAction::Previous},
      {ReaderKey::Left, {.keypad = true}, PageKeyAction::Previous, PageKeyAction::Next},
      {ReaderKey::Left, {.control = true}, PageKeyAction::None, PageKeyAction::None},
      {ReaderKey::PageDown, {}, PageKeyAction::Next, PageKeyAction::Next},
      {ReaderKey::Space, {}, PageKeyAction::Next, PageKeyAction::Next},
      {ReaderKey::Backspace, {}, PageKeyAction::Previous, PageKeyAction::Previous},
      {ReaderKey::Home, {}, PageKeyAction::First, PageKeyAction::First},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(OrderedPageKey(c.key, c.modifiers, false), c.leftToRight);
    EXPECT_EQ(OrderedPageKey(c.key, c.modifiers, true), c.rightToLeft);
  }
}

TEST(ReaderSettings, EscapesRoundTripAsPlainAscii) {
  for (const std::u16string text : {u"", u"/plain/path.qbb", u"/with space/ and trailing ", u"/日本語/ü 100%.qbb",
                                    u"quote\" and = and ; and [x]", u"\t\r\n"}) {
    const std::string escaped = EscapeSettingText(text);
    EXPECT_EQ(escaped.find_first_of(" \t\r\n=;[]\""), std::string::npos) << escaped;
    for (const char c : escaped) EXPECT_TRUE(c > ' ' && c < 0x7F);
    std::u16string back;
    ASSERT_TRUE(UnescapeSettingText(FromUtf8(escaped), back));
    EXPECT_EQ(back, text);
  }
  std::u16string ignored;
  for (const std::u16string bad : {u"%", u"%4", u"%zz", u"a b", u"%FF", u"日本"})
    EXPECT_FALSE(UnescapeSettingText(bad, ignored));
}

class ReaderSettingsFile : public ::testing::Test {
 protected:
  std::u16string Path() const { return test::U16(dir / "Quilly.Ini"); }
  void Write(const std::string& content) const { std::ofstream(dir / "Quilly.Ini", std::ios::binary) << content; }
  test::TempDir dir;
};

TEST_F(ReaderSettingsFile, ListsAndOptionsSurviveAndForeignLinesStay) {
  const std::string foreign =
      "; hand-written note\r\n[System]\r\nLastFolder=C:\\Books\\\x93\xFA\r\n[Reader]\r\nColour=blue\r\n"
      "ResumeOnOpen=maybe\r\n[ReadingPlaces]\r\nBook1=garbage\r\nBook2=3 beef /x.qbb\r\n\x01\x02 binary\r\n";
  Write(foreign);
  EXPECT_EQ(LoadReaderOptions(Path()), ReaderOptions{});  // "maybe" is no value
  ASSERT_EQ(LoadReadingPlaces(Path()).size(), 1u);

  ASSERT_TRUE(SaveReaderOptions(Path(), {.resumeOnOpen = true, .smoothShrink = true}));
  ASSERT_TRUE(SaveReadingPlace(Path(), {{u"/日本/ü.qbb", "0123456789abcdef"}, 12}));
  ASSERT_TRUE(SaveRecentBook(Path(), {u"/日本/ü.qbb", u"題名 with space"}));
  ASSERT_TRUE(SaveRecentBook(Path(), {u"/other.qbb", u""}));

  EXPECT_EQ(LoadReaderOptions(Path()), (ReaderOptions{.resumeOnOpen = true, .smoothShrink = true}));
  const auto places = LoadReadingPlaces(Path());
  ASSERT_EQ(places.size(), 2u);
  EXPECT_EQ(places[0], (ReadingPlace{{u"/日本/ü.qbb", "0123456789abcdef"}, 12}));
  EXPECT_EQ(places[1], (ReadingPlace{{u"/x.qbb", "beef"}, 3}));
  EXPECT_EQ(LoadRecentBooks(Path()),
            (std::vector<RecentBook>{{u"/other.qbb", u""}, {u"/日本/ü.qbb", u"題名 with space"}}));

  // Nothing foreign is lost, the file stays in its code page, and the
  // shared key reads as before.
  const std::string content = test::ReadAll(dir / "Quilly.Ini");
  for (const char* line :
       {"; hand-written note\r\n", "LastFolder=C:\\Books\\\x93\xFA\r\n", "Colour=blue\r\n", "\x01\x02 binary\r\n"}) {
    EXPECT_NE(content.find(line), std::string::npos) << line;
  }
  EXPECT_NE(content.rfind("\xEF\xBB\xBF", 0), 0u);
  EXPECT_EQ(GetIniString(u"System", u"LastFolder", u"", Path()), u"C:\\Books\\\u65E5");

  ASSERT_TRUE(ClearRecentBooks(Path()));
  EXPECT_TRUE(LoadRecentBooks(Path()).empty());
}

TEST_F(ReaderSettingsFile, TwoViewersMergeTheirPlaces) {
  // Each saves only its own book; neither overwrites the other's.
  ASSERT_TRUE(SaveReadingPlace(Path(), Place(1, 4)));
  ASSERT_TRUE(SaveReadingPlace(Path(), Place(2, 6)));
  ASSERT_TRUE(SaveReadingPlace(Path(), Place(1, 5)));
  EXPECT_EQ(LoadReadingPlaces(Path()), (std::vector<ReadingPlace>{Place(1, 5), Place(2, 6)}));
}

TEST_F(ReaderSettingsFile, AMissingOrUnreadableFileGivesDefaults) {
  EXPECT_EQ(LoadReaderOptions(Path()), ReaderOptions{});
  EXPECT_TRUE(LoadReadingPlaces(Path()).empty());
  std::filesystem::create_directory(dir / "Quilly.Ini");
  EXPECT_TRUE(LoadRecentBooks(Path()).empty());
  EXPECT_FALSE(SaveRecentBook(Path(), {u"/a.qbb", u""}));
}

}  // namespace
}  // namespace qb::viewer
