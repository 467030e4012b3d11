// Definition files (editor/definition_file.cpp): what lands on disk, what
// reads back, and what damaged or missing values load as.

#include "editor/definition_file.h"

#include <gtest/gtest.h>

#include "common/ini_access.h"
#include "common/settings.h"
#include "common/text_helpers.h"
#include "editor/number_text.h"
#include "editor_test_support.h"

namespace qb::editor {
namespace {

using test::Cp932;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

BookRecord Sample() {
  BookRecord book;
  book.Author = u"山田" + std::u16string(20, u' ');  // 24 bytes, as export fits it
  book.Title = u"ふしぎな森" + std::u16string(51, u' ');
  book.Password = u"pw      ";
  book.Price = 500;
  book.PageCount = 2;
  book.Url = u"https://example.org/";
  book.Mail = u"a@example.org";
  book.Comment = u"a\r\nb";
  return book;
}

class DefinitionFile : public ::testing::Test {
 protected:
  TempFolder folder_;
  std::u16string path_ = folder_ / "fable.qbd";
  EditorSettings settings_ = LoadEditorSettings(folder_.text());
  std::vector<std::u16string> images_{u"/pics/p1.bmp", u"/pics/p2.bmp"};
};

TEST_F(DefinitionFile, NewFileHoldsTheKeysInOrderInCodePage932) {
  ASSERT_TRUE(SaveDefinitionFile(path_, Sample(), images_, settings_));
  const std::u16string expected =
      u"[System]\r\n"
      u"作者=山田                      \r\n"  // padded to 24 characters
      u"タイトル=ふしぎな森" +
      std::u16string(51, u' ') +
      u"\r\n"
      u"パスワード=pw      \r\n"
      u"価格=500\r\n"
      u"画像数=2\r\n"
      u"ＵＲＬ=https://example.org/\r\n"
      u"ＭＡＩＬ=a@example.org\r\n"
      u"コメント=a\x7Fnb\r\n"
      u"[Image]\r\n"
      u"1=/pics/p1.bmp\r\n"
      u"2=/pics/p2.bmp\r\n";
  EXPECT_EQ(ReadBytes(path_), Cp932(expected));
}

TEST_F(DefinitionFile, RoundTripRestoresTheRecordAndList) {
  ASSERT_TRUE(SaveDefinitionFile(path_, Sample(), images_, settings_));
  const Definition loaded = LoadDefinitionFile(path_);
  const BookRecord sample = Sample();
  // Fixed texts come back padded to their widths in characters.
  EXPECT_EQ(loaded.book.Author, u"山田" + std::u16string(22, u' '));
  EXPECT_EQ(loaded.book.Title, sample.Title);
  EXPECT_EQ(loaded.book.Password, sample.Password);
  EXPECT_EQ(loaded.book.Price, 500);
  EXPECT_EQ(loaded.book.PageCount, 2);
  EXPECT_EQ(loaded.book.Url, sample.Url);
  EXPECT_EQ(loaded.book.Mail, sample.Mail);
  EXPECT_EQ(loaded.book.Comment, u"a\r\nb");
  EXPECT_EQ(loaded.images, images_);
}

TEST_F(DefinitionFile, LoneLineBreaksInTheCommentAreKept) {
  BookRecord book = Sample();
  book.Comment = u"first\nsecond\rthird\r\nfourth";
  ASSERT_TRUE(SaveDefinitionFile(path_, book, images_, settings_));
  EXPECT_EQ(GetIniString(u"System", u"コメント", u"", path_), u"first\x7Flsecond\x7Frthird\x7Fnfourth");
  EXPECT_EQ(LoadDefinitionFile(path_).book.Comment, book.Comment);
}

TEST_F(DefinitionFile, LongValuesReadBackWhole) {
  BookRecord book = Sample();
  book.Comment.clear();
  for (int i = 0; i < 60; ++i) book.Comment += u"ながいコメント\r\n";  // about 960 bytes
  std::vector<std::u16string> images{u"/pics/" + std::u16string(400, u'x') + u".bmp", u"/pics/p2.bmp"};
  ASSERT_TRUE(SaveDefinitionFile(path_, book, images, settings_));
  const Definition loaded = LoadDefinitionFile(path_);
  EXPECT_EQ(loaded.book.Comment, book.Comment);
  EXPECT_EQ(loaded.images, images);
}

TEST_F(DefinitionFile, ShorterListOverLongerKeepsOldKeysButLoadsTheNewCount) {
  BookRecord book = Sample();
  book.PageCount = 10;
  std::vector<std::u16string> ten;
  for (int i = 1; i <= 10; ++i) ten.push_back(u"/old/" + std::u16string(1, static_cast<char16_t>(u'a' + i)));
  ASSERT_TRUE(SaveDefinitionFile(path_, book, ten, settings_));
  book.PageCount = 5;
  std::vector<std::u16string> five{u"/n/1", u"/n/2", u"/n/3", u"/n/4", u"/n/5"};
  ASSERT_TRUE(SaveDefinitionFile(path_, book, five, settings_));

  for (int i = 6; i <= 10; ++i) {
    EXPECT_EQ(GetIniString(u"Image", DecimalText(i), u"", path_), ten[static_cast<std::size_t>(i - 1)]) << i;
  }
  const Definition loaded = LoadDefinitionFile(path_);
  EXPECT_EQ(loaded.book.PageCount, 5);
  EXPECT_EQ(loaded.images, five);
}

TEST_F(DefinitionFile, MissingKeysAndMissingFileGiveDefaults) {
  WriteBytes(path_, "[System]\r\n");
  for (const std::u16string& path : {path_, folder_ / "absent.qbd"}) {
    const Definition loaded = LoadDefinitionFile(path);
    EXPECT_EQ(loaded.book.Author, u"＊" + std::u16string(23, u' '));
    EXPECT_EQ(loaded.book.Title, u"[無題]" + std::u16string(52, u' '));
    EXPECT_EQ(loaded.book.Password, std::u16string(8, u' '));
    EXPECT_EQ(loaded.book.Price, 0);
    EXPECT_EQ(loaded.book.PageCount, 0);
    EXPECT_TRUE(loaded.images.empty());
    EXPECT_EQ(loaded.book.Url, u"");
    EXPECT_EQ(loaded.book.Mail, u"");
    EXPECT_EQ(loaded.book.Comment, u"");
  }
}

TEST_F(DefinitionFile, DamagedNumbersLoadWithoutStopping) {
  struct Case {
    const char16_t* price;
    const char16_t* count;
    std::int32_t wantPrice;
    std::int16_t wantCount;
  };
  for (const Case& c :
       {Case{u"", u"", 0, 0}, Case{u"abc", u"abc", 0, 0}, Case{u"12.5", u"-2", 12, 0},
        Case{u"9E99", u"40000", 2147483647, 0}, Case{u"-9E99", u"2.5", -2147483648, 2}, Case{u"&H10", u"3", 16, 3}}) {
    ASSERT_NE(PutIniString(u"System", u"価格", c.price, path_), 0);
    ASSERT_NE(PutIniString(u"System", u"画像数", c.count, path_), 0);
    ASSERT_NE(PutIniString(u"Image", u"1", u"/p/only.bmp", path_), 0);
    const Definition loaded = LoadDefinitionFile(path_);
    EXPECT_EQ(loaded.book.Price, c.wantPrice) << QString::fromUtf16(c.price).toStdString();
    EXPECT_EQ(loaded.book.PageCount, c.wantCount) << QString::fromUtf16(c.count).toStdString();
    ASSERT_EQ(loaded.images.size(), static_cast<std::size_t>(c.wantCount));
    // Keys missing from the Image section read as empty paths.
    if (c.wantCount > 0) {
      EXPECT_EQ(loaded.images[0], u"/p/only.bmp");
    }
    if (c.wantCount > 1) {
      EXPECT_EQ(loaded.images[1], u"");
    }
  }
}

TEST_F(DefinitionFile, LongFixedTextsAreCutToTheirWidths) {
  ASSERT_NE(PutIniString(u"System", u"作者", std::u16string(30, u'a'), path_), 0);
  ASSERT_NE(PutIniString(u"System", u"パスワード", u"0123456789", path_), 0);
  const Definition loaded = LoadDefinitionFile(path_);
  EXPECT_EQ(loaded.book.Author, std::u16string(24, u'a'));
  EXPECT_EQ(loaded.book.Password, u"01234567");
}

TEST_F(DefinitionFile, ManyImageKeysGiveWhatWritingKeyByKeyGives) {
  // The reference: the same keys written one by one over a file that holds
  // foreign keys, comments, duplicates and odd spacing.
  const std::string existing = Cp932(
      u"; kept\r\n[Image]\r\n 2 = /old/two.bmp\r\n7=/old/seven.bmp\r\nextra=x\r\n\r\n"
      u"[System]\r\nパスワード=        \r\n作者 = 旧\r\nother=1\r\n[System]\r\n作者=dup\r\n");
  BookRecord book = Sample();
  book.PageCount = 300;
  std::vector<std::u16string> images;
  for (int i = 1; i <= book.PageCount; ++i) images.push_back(u"/pics/" + DecimalText(i) + u".bmp");
  WriteBytes(path_, existing);
  ASSERT_TRUE(WriteDefinitionFile(path_, book, images));

  const std::u16string reference = folder_ / "reference.qbd";
  WriteBytes(reference, existing);
  const auto put = [&](const std::u16string& section, const std::u16string& key, const std::u16string& value) {
    ASSERT_NE(PutIniString(section, key, value, reference), 0);
  };
  put(u"System", u"作者", FitToChars(book.Author, kAuthorWidth));
  put(u"System", u"タイトル", FitToChars(book.Title, kTitleWidth));
  put(u"System", u"パスワード", FitToChars(book.Password, kPasswordWidth));
  put(u"System", u"価格", DecimalText(book.Price));
  put(u"System", u"画像数", DecimalText(book.PageCount));
  for (int i = 1; i <= book.PageCount; ++i) put(u"Image", DecimalText(i), images[static_cast<std::size_t>(i - 1)]);
  put(u"System", u"ＵＲＬ", book.Url);
  put(u"System", u"ＭＡＩＬ", book.Mail);
  put(u"System", u"コメント", u"a\x7Fnb");
  EXPECT_EQ(ReadBytes(path_), ReadBytes(reference));
}

TEST_F(DefinitionFile, ABookOfTheMostPagesSavesAndLoadsWhole) {
  BookRecord book = Sample();
  book.PageCount = 32767;
  book.Password = std::u16string(8, u' ');
  std::vector<std::u16string> images;
  for (int i = 1; i <= book.PageCount; ++i) images.push_back(u"/pictures/page" + DecimalText(i) + u".bmp");
  ASSERT_TRUE(WriteDefinitionFile(path_, book, images));
  const std::string first = ReadBytes(path_);
  // Saving again over the file (as build does with its own input) changes nothing.
  ASSERT_TRUE(WriteDefinitionFile(path_, book, images));
  EXPECT_EQ(ReadBytes(path_), first);
  const Definition loaded = LoadDefinitionFile(path_);
  EXPECT_EQ(loaded.book.PageCount, 32767);
  EXPECT_EQ(loaded.images, images);
  EXPECT_EQ(loaded.book.Password, book.Password);
}

TEST_F(DefinitionFile, SavingRemembersTheAuthorInTheSettings) {
  ASSERT_TRUE(SaveDefinitionFile(path_, Sample(), images_, settings_));
  EXPECT_EQ(settings_.name, u"山田" + std::u16string(22, u' '));
  EXPECT_EQ(settings_.url, u"https://example.org/");
  EXPECT_EQ(settings_.mail, u"a@example.org");
  const EditorSettings reread = LoadEditorSettings(folder_.text());
  EXPECT_EQ(reread.name, u"山田");  // the padding is not read back
  EXPECT_EQ(reread.url, u"https://example.org/");
  EXPECT_EQ(reread.mail, u"a@example.org");
}

TEST_F(DefinitionFile, UnwritableFileIsReported) {
  EXPECT_FALSE(SaveDefinitionFile(folder_ / "missing-folder/fable.qbd", Sample(), images_, settings_));
}

}  // namespace
}  // namespace qb::editor
