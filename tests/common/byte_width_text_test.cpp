#include <gtest/gtest.h>

#include "common/byte_width_text.h"

namespace qb {
namespace {

TEST(ByteWidthText, FitsToTheByteWidth) {
  EXPECT_EQ(FitToBytes(u"Ann", 8), u"Ann     ");
  EXPECT_EQ(FitToBytes(u"", 4), u"    ");
  EXPECT_EQ(FitToBytes(u"abcdefghij", 4), u"abcd");
  // Half-width katakana take one byte, full-width characters two.
  EXPECT_EQ(FitToBytes(u"ｱｲｳ", 4), u"ｱｲｳ ");
  EXPECT_EQ(ByteWidth(u"あｱa"), 4u);
}

TEST(ByteWidthText, TwelveFullWidthCharactersFillTwentyFourBytes) {
  const std::u16string twelve = u"一二三四五六七八九十一二";
  EXPECT_EQ(FitToBytes(twelve, 24), twelve);
  EXPECT_EQ(FitToBytes(twelve + u"三", 24), twelve);
}

TEST(ByteWidthText, AStraddlingCharacterBecomesABlank) {
  EXPECT_EQ(FitToBytes(u"aあい", 4), u"aあ ");
  EXPECT_EQ(FitToBytes(u"あ", 1), u" ");
  EXPECT_EQ(ByteWidth(FitToBytes(u"xあいうえお", 8)), 8u);
}

}  // namespace
}  // namespace qb
