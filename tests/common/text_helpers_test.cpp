// The shared text rules (common/text_helpers.cpp).

#include "common/text_helpers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TextHelpers, FindLastGivesTheOneBasedPositionOfTheLastOccurrence) {
  EXPECT_EQ(qb::FindLast(u"a/b/c", u"/"), 4);
  EXPECT_EQ(qb::FindLast(u"abcabc", u"bc"), 5);
  EXPECT_EQ(qb::FindLast(u"abc", u"abc"), 1);
  EXPECT_EQ(qb::FindLast(u"abc", u""), 0);
  EXPECT_EQ(qb::FindLast(u"", u"a"), 0);
  EXPECT_EQ(qb::FindLast(u"ab", u"abc"), 0);
  EXPECT_EQ(qb::FindLast(u"ABC", u"b"), 0) << "exact comparison";
}

TEST(TextHelpers, StripQuotesRemovesOneEnclosingPair) {
  EXPECT_EQ(qb::StripQuotes(u"\"/home/taro/my book.qbb\""), u"/home/taro/my book.qbb");
  EXPECT_EQ(qb::StripQuotes(u"\"a\"b\""), u"a\"b");
  EXPECT_EQ(qb::StripQuotes(u"\"\"x\"\""), u"\"x\"");
  EXPECT_EQ(qb::StripQuotes(u"\"\""), u"");
  EXPECT_EQ(qb::StripQuotes(u"\"abc"), u"\"abc");
  EXPECT_EQ(qb::StripQuotes(u"abc\""), u"abc\"");
  EXPECT_EQ(qb::StripQuotes(u"\""), u"\"");
  EXPECT_EQ(qb::StripQuotes(u""), u"");
}

TEST(TextHelpers, GetFieldSplitsAtTheSeparator) {
  const std::u16string text = u"comment\u007Fhttp://x/\u007Fa@b";
  EXPECT_EQ(qb::GetField(text, 1, u"\u007F"), u"comment");
  EXPECT_EQ(qb::GetField(text, 2, u"\u007F"), u"http://x/");
  EXPECT_EQ(qb::GetField(text, 3, u"\u007F"), u"a@b");
  EXPECT_EQ(qb::GetField(text, 4, u"\u007F"), u"");
  EXPECT_EQ(qb::GetField(u"\u007F\u007Fc", 1, u"\u007F"), u"");
  EXPECT_EQ(qb::GetField(u"\u007F\u007Fc", 2, u"\u007F"), u"");
  EXPECT_EQ(qb::GetField(u"\u007F\u007Fc", 3, u"\u007F"), u"c");
  EXPECT_EQ(qb::GetField(u"a\u007F", 2, u"\u007F"), u"");
  EXPECT_EQ(qb::GetField(u"", 1, u"\u007F"), u"");
}

TEST(TextHelpers, GetFieldWithALongerSeparator) {
  EXPECT_EQ(qb::GetField(u"a<>b<>c", 1, u"<>"), u"a");
  EXPECT_EQ(qb::GetField(u"a<>b<>c", 2, u"<>"), u"b");
  EXPECT_EQ(qb::GetField(u"a<>b<>c", 3, u"<>"), u"c");
  EXPECT_EQ(qb::GetField(u"a<>b", 3, u"<>"), u"");
}

TEST(TextHelpers, ReplaceTextReplacesEveryOccurrenceLeftToRight) {
  EXPECT_EQ(qb::ReplaceText(u"a\r\nb\r\n", u"\r\n", u"\u007Fn"), u"a\u007Fnb\u007Fn");
  EXPECT_EQ(qb::ReplaceText(u"a\u007Fnb", u"\u007Fn", u"\r\n"), u"a\r\nb");
  EXPECT_EQ(qb::ReplaceText(u"aaa", u"aa", u"b"), u"ba") << "occurrences do not overlap";
  EXPECT_EQ(qb::ReplaceText(u"aba", u"a", u"aa"), u"aabaa") << "replacements are not searched again";
  EXPECT_EQ(qb::ReplaceText(u"abc", u"x", u"y"), u"abc");
  EXPECT_EQ(qb::ReplaceText(u"abc", u"", u"y"), u"abc");
}

TEST(TextHelpers, CutAtNullKeepsTheTextBeforeTheFirstNul) {
  EXPECT_EQ(qb::CutAtNull(std::u16string(u"ab\0cd\0", 6)), u"ab");
  EXPECT_EQ(qb::CutAtNull(std::u16string(u"\0a", 2)), u"");
  EXPECT_EQ(qb::CutAtNull(u"abc"), u"abc");
}

}  // namespace
