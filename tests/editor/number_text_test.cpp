// Reading numbers from the price box and the definition file
// (editor/number_text.cpp): the leading-number rule, half-to-even rounding
// and what out-of-range or meaningless text gives.

#include "editor/number_text.h"

#include <gtest/gtest.h>

#include <QString>
#include <cmath>
#include <limits>

namespace qb::editor {
namespace {

TEST(LeadingNumber, ReadsUpToTheFirstCharacterThatCannotContinue) {
  EXPECT_EQ(LeadingNumber(u"12abc"), 12);
  EXPECT_EQ(LeadingNumber(u"1.5.7"), 1.5);
  EXPECT_EQ(LeadingNumber(u".25"), 0.25);
  EXPECT_EQ(LeadingNumber(u"-7x"), -7);
  EXPECT_EQ(LeadingNumber(u"+8"), 8);
  EXPECT_EQ(LeadingNumber(u"--1"), 0);
  EXPECT_EQ(LeadingNumber(u"1E3"), 1000);
  EXPECT_EQ(LeadingNumber(u"2d2"), 200);
  EXPECT_EQ(LeadingNumber(u"5e-1"), 0.5);
  // An exponent letter without digits ends the number before it.
  EXPECT_EQ(LeadingNumber(u"1E"), 1);
  EXPECT_EQ(LeadingNumber(u"1E+x"), 1);
}

TEST(LeadingNumber, IgnoresBlanksTabsAndLineFeedsAnywhere) {
  EXPECT_EQ(LeadingNumber(u" 1 2\t3\n4"), 1234);
  EXPECT_EQ(LeadingNumber(u"- 5 . 5"), -5.5);
  // A carriage return is not ignored: it ends the number.
  EXPECT_EQ(LeadingNumber(u"1\r2"), 1);
}

TEST(LeadingNumber, HexAndOctalPrefixes) {
  EXPECT_EQ(LeadingNumber(u"&HFF"), 255);
  EXPECT_EQ(LeadingNumber(u"&h1f"), 31);
  EXPECT_EQ(LeadingNumber(u"&O17"), 15);
  EXPECT_EQ(LeadingNumber(u"&o78"), 7);
  EXPECT_EQ(LeadingNumber(u"&H"), 0);
  EXPECT_EQ(LeadingNumber(u"&X1"), 0);
}

TEST(LeadingNumber, TextWithoutNumberGivesZero) {
  for (const char16_t* text : {u"", u"abc", u"-", u".", u"E5", u"¥100", u"１２"}) {
    EXPECT_EQ(LeadingNumber(text), 0) << QString::fromUtf16(text).toStdString();
  }
}

TEST(LeadingNumber, HugeExponentsGiveInfinityOrZero) {
  EXPECT_TRUE(std::isinf(LeadingNumber(u"9E999")));
  EXPECT_GT(LeadingNumber(u"9E999"), 0);
  EXPECT_LT(LeadingNumber(u"-9E999"), 0);
  EXPECT_EQ(LeadingNumber(u"1E-999"), 0);
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(12.5), 12);
  EXPECT_EQ(RoundHalfEven(13.5), 14);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
  EXPECT_EQ(RoundHalfEven(-1.5), -2);
  EXPECT_EQ(RoundHalfEven(2.4999), 2);
  EXPECT_EQ(RoundHalfEven(2.5001), 3);
}

TEST(ParsePriceText, PriceBoxExamples) {
  EXPECT_EQ(ParsePriceText(u"12.5"), 12);
  EXPECT_EQ(ParsePriceText(u"13.5"), 14);
  EXPECT_EQ(ParsePriceText(u"abc"), 0);
  EXPECT_EQ(ParsePriceText(u""), 0);
  EXPECT_EQ(ParsePriceText(u"500 "), 500);
  EXPECT_EQ(ParsePriceText(u"-999"), -999);
  EXPECT_EQ(ParsePriceText(u"1E5"), 100000);
}

TEST(ParsePriceText, OutsideInt32IsClamped) {
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  EXPECT_EQ(ParsePriceText(u"9E99"), kMax);
  EXPECT_EQ(ParsePriceText(u"-9E99"), kMin);
  EXPECT_EQ(ParsePriceText(u"9E999"), kMax);
  EXPECT_EQ(ParsePriceText(u"2147483647"), kMax);
  EXPECT_EQ(ParsePriceText(u"2147483646.5"), 2147483646);
  EXPECT_EQ(ParsePriceText(u"2147483648"), kMax);
  EXPECT_EQ(ParsePriceText(u"-2147483648"), kMin);
  EXPECT_EQ(ParsePriceText(u"-2147483649"), kMin);
}

TEST(ParsePageCountText, OnlyOneTo32767MakesAList) {
  EXPECT_EQ(ParsePageCountText(u"3"), 3);
  EXPECT_EQ(ParsePageCountText(u"2.5"), 2);
  EXPECT_EQ(ParsePageCountText(u"32767"), 32767);
  for (const char16_t* text : {u"0", u"-3", u"", u"abc", u"0.4", u"32768", u"9E99", u"-9E99"}) {
    EXPECT_EQ(ParsePageCountText(text), 0) << QString::fromUtf16(text).toStdString();
  }
}

}  // namespace
}  // namespace qb::editor
