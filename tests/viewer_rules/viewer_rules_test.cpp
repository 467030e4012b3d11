#include <gtest/gtest.h>

#include <limits>

#include "viewer/info_links.h"
#include "viewer/page_navigation.h"
#include "viewer/pass_check.h"
#include "viewer/price_label.h"
#include "viewer/wheel_steps.h"
#include "viewer/window_title.h"

namespace qb::viewer {
namespace {

TEST(PriceLabel, YenSignAndThousandsGroups) {
  EXPECT_EQ(FormatPriceLabel(0), u"¥0");
  EXPECT_EQ(FormatPriceLabel(7), u"¥7");
  EXPECT_EQ(FormatPriceLabel(999), u"¥999");
  EXPECT_EQ(FormatPriceLabel(1000), u"¥1,000");
  EXPECT_EQ(FormatPriceLabel(1500), u"¥1,500");
  EXPECT_EQ(FormatPriceLabel(100000), u"¥100,000");
  EXPECT_EQ(FormatPriceLabel(1234567), u"¥1,234,567");
  EXPECT_EQ(FormatPriceLabel(-1500), u"¥-1,500");
  EXPECT_EQ(FormatPriceLabel(std::numeric_limits<std::int32_t>::max()), u"¥2,147,483,647");
  EXPECT_EQ(FormatPriceLabel(std::numeric_limits<std::int32_t>::min()), u"¥-2,147,483,648");
}

TEST(WindowTitle, TrimmedTitleAndAuthor) {
  BookRecord book;
  book.Title = u"  くいるべりーの ぼうけん" + std::u16string(20, u' ');
  book.Author = u"クイルベリー工房" + std::u16string(16, u' ');
  EXPECT_EQ(BookWindowTitle(book), u"Quillberry:[くいるべりーの ぼうけん/クイルベリー工房]");
  EXPECT_EQ(BookWindowTitle(BookRecord{}), u"Quillberry:[/]");
}

TEST(PageNavigation, StepsStayWithinTheBook) {
  EXPECT_EQ(SteppedPage(1, -1, 7), 1);
  EXPECT_EQ(SteppedPage(2, -1, 7), 1);
  EXPECT_EQ(SteppedPage(5, +1, 7), 6);
  EXPECT_EQ(SteppedPage(7, +1, 7), 7);
  EXPECT_EQ(SteppedPage(1, +1, 1), 1);
  EXPECT_EQ(SteppedPage(1, +1, 0), 1) << "no book: nowhere to go";
  EXPECT_EQ(SteppedPage(3, 0, 7), 3);
}

TEST(PageNavigation, LockedBooksShowOnlyPageOne) {
  EXPECT_EQ(ShowablePage(4, kLocked), 1);
  EXPECT_EQ(ShowablePage(1, kLocked), 1);
  EXPECT_EQ(ShowablePage(4, kUnlocked), 4);
  // PassCheckFlag is a 16-bit truth value: stored as 0 or -1, and any
  // non-zero value unlocks.
  for (const auto& [flag, shown] : {std::pair<std::int16_t, int>{0, 1}, {-1, 4}, {1, 4}, {32767, 4}, {-32768, 4}}) {
    EXPECT_EQ(ShowablePage(4, flag), shown) << flag;
  }
}

TEST(InfoLinks, OnlyHomePageAndMail) {
  EXPECT_EQ(InfoLinkTarget(2, u"https://a.example/"), u"https://a.example/");
  EXPECT_EQ(InfoLinkTarget(3, u"ann@a.example"), u"MailTo:ann@a.example");
  EXPECT_EQ(InfoLinkTarget(3, u""), u"MailTo:");
  EXPECT_EQ(InfoLinkTarget(2, u""), u"");
  for (const int other : {0, 1, 4, 9}) EXPECT_FALSE(InfoLinkTarget(other, u"https://a.example/")) << other;
}

TEST(WheelSteps, NotchesTurnPagesAndSmallDeltasAddUp) {
  WheelSteps wheel;
  EXPECT_EQ(wheel.Add(-120), 1) << "one notch towards the user: NEXT";
  EXPECT_EQ(wheel.Add(120), -1) << "one notch away: PREV";
  EXPECT_EQ(wheel.Add(-360), 3);

  // A touchpad's small deltas make a page once they reach a notch.
  EXPECT_EQ(wheel.Add(-50), 0);
  EXPECT_EQ(wheel.Add(-50), 0);
  EXPECT_EQ(wheel.Add(-50), 1);
  EXPECT_EQ(wheel.Add(-90), 1) << "the 30 left over count towards the next page";

  // Turning back starts afresh instead of first undoing what was gathered.
  EXPECT_EQ(wheel.Add(-100), 0);
  EXPECT_EQ(wheel.Add(100), 0);
  EXPECT_EQ(wheel.Add(20), -1);
}

}  // namespace
}  // namespace qb::viewer
