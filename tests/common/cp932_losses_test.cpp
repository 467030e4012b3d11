// Which characters a code page 932 round trip loses or changes
// (common/cp932_losses.cpp).

#include "common/cp932_losses.h"

#include <gtest/gtest.h>

namespace qb::cp932 {
namespace {

TEST(Cp932LostCharacters, TextsCodePage932HoldsLoseNothing) {
  EXPECT_EQ(LostCharacters(u""), u"");
  EXPECT_EQ(LostCharacters(u"Muller's 絵本 ｶﾀｶﾅ ～①㈱ \\ ~ \r\n"), u"");
}

TEST(Cp932LostCharacters, LookAlikesAndQuestionMarksAreNamedOnceInOrder) {
  // ü is stored as u, the emoji (a surrogate pair) as ?.
  EXPECT_EQ(LostCharacters(u"Müller's 絵本 😀"), u"ü😀");
  EXPECT_EQ(LostCharacters(u"éüéü😀😀"), u"éü😀");
  // The yen sign becomes the backslash byte, which reads back as a backslash.
  EXPECT_EQ(LostCharacters(u"¥500"), u"¥");
  // Two emoji sharing a high surrogate are two characters.
  EXPECT_EQ(LostCharacters(u"😀😁"), u"😀😁");
}

TEST(Cp932LostCharacters, UnpairedSurrogatesAreLostOnTheirOwn) {
  EXPECT_EQ(LostCharacters(std::u16string(u"a") + char16_t(0xD83D) + u"b"), std::u16string(1, char16_t(0xD83D)));
  EXPECT_EQ(LostCharacters(std::u16string(1, char16_t(0xDE00)) + u"😀"), std::u16string(1, char16_t(0xDE00)) + u"😀");
}

}  // namespace
}  // namespace qb::cp932
