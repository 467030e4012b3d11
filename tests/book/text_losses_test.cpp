// The book texts code page 932 cannot hold whole (book/text_losses.cpp).

#include "book/text_losses.h"

#include <gtest/gtest.h>

namespace qb {
namespace {

TEST(TextLosses, NamesEachFieldThatLosesCharactersInFieldOrder) {
  BookRecord book;
  book.Author = u"作者";
  book.Title = u"Müller's 絵本 😀";
  book.Password = u"pässwort";
  book.Comment = u"一行目\r\n二行目";
  book.Url = u"https://ex.example/ñ";
  book.Mail = u"a@ex.example";
  const std::vector<TextLoss> losses = TextLosses(book);
  ASSERT_EQ(losses.size(), 3u);
  EXPECT_EQ(losses[0].field, BookText::Title);
  EXPECT_EQ(losses[0].characters, u"ü😀");
  EXPECT_EQ(losses[1].field, BookText::Password);
  EXPECT_EQ(losses[1].characters, u"ä");
  EXPECT_EQ(losses[2].field, BookText::Url);
  EXPECT_EQ(losses[2].characters, u"ñ");
}

TEST(TextLosses, BookThatFitsReportsNothing) {
  BookRecord book;
  book.Author = u"ｸｲﾙﾍﾞﾘｰ";
  book.Comment = u"～①";
  EXPECT_TRUE(TextLosses(book).empty());
  EXPECT_TRUE(TextLosses(BookRecord{}).empty());
}

}  // namespace
}  // namespace qb
