#include <gtest/gtest.h>

#include "common/free_text_rules.h"

namespace qb {
namespace {

TEST(FreeTextRules, EveryLineBreakBecomesCrLf) {
  EXPECT_EQ(NormalizeLineBreaks(u"a\nb"), u"a\r\nb");
  EXPECT_EQ(NormalizeLineBreaks(u"a\r\nb"), u"a\r\nb");
  EXPECT_EQ(NormalizeLineBreaks(u"a\rb\n\nc\r"), u"a\r\nb\r\n\r\nc\r\n");
  EXPECT_EQ(NormalizeLineBreaks(u"\n\r"), u"\r\n\r\n");
  EXPECT_EQ(NormalizeLineBreaks(u"plain"), u"plain");
}

TEST(FreeTextRules, FieldSeparatorsAreRemoved) {
  EXPECT_EQ(RemoveFieldSeparators(u"a\x7F"
                                  "b\x7F"),
            u"ab");
  EXPECT_EQ(RemoveFieldSeparators(u"日本"), u"日本");
}

}  // namespace
}  // namespace qb
