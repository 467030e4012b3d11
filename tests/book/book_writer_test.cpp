#include <gtest/gtest.h>
#include <sys/stat.h>

#include <random>

#include "book/book_reader.h"
#include "book/book_writer.h"
#include "book_test_support.h"
#include "common/text_helpers.h"
#include "support/full_disk.h"

namespace qb {
namespace {

using test::FakeSurface;
using test::Picture;
using test::ReadAll;
using test::TempDir;
using test::U16;

BookRecord OnePageBook() {
  BookRecord book;
  book.PageCount = 1;
  return book;
}

TEST(BookWriter, OnePageBookIsLaidOutByteForByte) {
  TempDir dir;
  FakeSurface surface;
  surface.pictures[u"a"] = Picture(2, 1, {0x00112233, 0x00445566});
  BookRecord book = OnePageBook();
  book.Author = u"Ann";
  book.Price = 1500;
  ASSERT_EQ(WriteBook(U16(dir / "b.qbb"), book, {u"a"}, surface), kWriteOk);

  const std::string bytes = ReadAll(dir / "b.qbb");
  ASSERT_EQ(bytes.size(), 130u);
  EXPECT_EQ(bytes.substr(0, 9), "*QBB*0010");
  EXPECT_EQ(bytes.substr(9, 24), "Ann" + std::string(21, ' '));
  EXPECT_EQ(bytes.substr(33, 56), std::string(56, ' '));
  EXPECT_EQ(bytes.substr(89, 2), std::string("\x01\x00", 2));
  EXPECT_EQ(bytes.substr(91, 8), std::string(8, ' '));
  EXPECT_EQ(bytes.substr(99, 4), std::string("\xDC\x05\x00\x00", 4));
  EXPECT_EQ(bytes.substr(103, 4), std::string("\x02\x00\x00\x00", 4));
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[107]) ^ 0xAA, static_cast<std::uint8_t>(bytes[108]));
  EXPECT_EQ(bytes.substr(109, 2), "\x7F\x7F");
  EXPECT_EQ(bytes.substr(111, 4), std::string("\x74\x00\x00\x00", 4));  // 116
  EXPECT_EQ(bytes.substr(115, 6), std::string("\x02\x00\x01\x00\x00\x00", 6));
  const std::string blue = {char(0x33 ^ 0x1E), char(0x66 ^ 0x1E), 0x1E};
  const std::string red = {char(0x11 ^ 0x3C), char(0x44 ^ 0x3C), 0x3C};
  const std::string green = {char(0x22 ^ 0x5A), char(0x55 ^ 0x5A), 0x5A};
  EXPECT_EQ(bytes.substr(121), blue + red + green);
  EXPECT_EQ(book.TextLength, 2);
  EXPECT_EQ(book.PageTable, std::vector<std::int32_t>{116});
}

TEST(BookWriter, LaterPagesFollowOneFillerByte) {
  TempDir dir;
  FakeSurface surface;
  surface.pictures[u"a"] = Picture(2, 2, {1, 2, 3, 4});
  surface.pictures[u"b"] = Picture(1, 1, {5});
  BookRecord book;
  book.PageCount = 2;
  book.Comment = std::u16string(18, u'x');  // L = 20 as in the layout example
  ASSERT_EQ(WriteBook(U16(dir / "b.qbb"), book, {u"a", u"b"}, surface), kWriteOk);
  EXPECT_EQ(book.PageTable, (std::vector<std::int32_t>{138, 160}));
  const std::string bytes = ReadAll(dir / "b.qbb");
  EXPECT_EQ(bytes[158], '\0');
  EXPECT_EQ(bytes.size(), 159u + 12u);
}

TEST(BookWriter, PagesOfEverySizeRoundTripThroughTheReader) {
  // Random pixels (the top byte too, which is not stored) in pages whose
  // sizes fall around the 16-pixel steps of the plane loops and span more
  // than one 256 KiB slice, and the longest sides a page may have.
  TempDir dir;
  std::mt19937 random(17);
  FakeSurface surface;
  std::vector<std::u16string> names;
  const std::pair<int, int> sizes[] = {{1, 1},     {15, 1}, {16, 1},    {17, 3},   {33, 31},
                                       {700, 500}, {0, 0},  {32767, 2}, {1, 32767}};
  for (const auto& [width, height] : sizes) {
    PixelArray colours(static_cast<std::size_t>(width * height));
    for (auto& c : colours) c = static_cast<std::uint32_t>(random());
    names.push_back(FromUtf8(std::to_string(names.size())));
    surface.pictures[names.back()] = Picture(width, height, colours);
  }
  BookRecord book;
  book.PageCount = static_cast<std::int16_t>(names.size());
  ASSERT_EQ(WriteBook(U16(dir / "sizes.qbb"), book, names, surface), kWriteOk);
  for (std::size_t i = 0; i < names.size(); ++i) {
    PageImage page;
    ASSERT_EQ(ReadPageImage(U16(dir / "sizes.qbb"), page, book.PageTable[i]), 0);
    PixelArray expected = surface.pictures[names[i]].pixels;
    for (auto& c : expected) c &= 0xFFFFFFu;
    EXPECT_EQ(page.Width, sizes[i].first);
    EXPECT_EQ(page.Height, sizes[i].second);
    EXPECT_EQ(page.Pixels, expected) << "page " << i;
  }
}

TEST(BookWriter, TextLengthCountsBytesAndTextsRoundTrip) {
  TempDir dir;
  FakeSurface surface;
  surface.pictures[u"a"] = Picture(1, 1, {0x00FF0000});
  BookRecord book = OnePageBook();
  book.Comment = u"絵本だ";
  ASSERT_EQ(WriteBook(U16(dir / "b.qbb"), book, {u"a"}, surface), kWriteOk);
  EXPECT_EQ(book.TextLength, 8);

  book.Author = u"山田　花子";
  book.Title = u"はらぺこ";
  book.Password = u"pw";
  book.Comment = u"line1\r\nline2";
  book.Url = u"http://example.com/";
  book.Mail = u"a@example.com";
  book.Price = -7;
  ASSERT_EQ(WriteBook(U16(dir / "c.qbb"), book, {u"a"}, surface), kWriteOk);
  BookRecord read;
  ASSERT_EQ(ReadBookHeader(U16(dir / "c.qbb"), read), kBookSound);
  EXPECT_EQ(read.Author, FitToChars(u"山田　花子", 24));
  EXPECT_EQ(read.Title, FitToChars(u"はらぺこ", 56));
  EXPECT_EQ(read.Password, FitToChars(u"pw", 8));
  EXPECT_EQ(read.Comment, book.Comment);
  EXPECT_EQ(read.Url, book.Url);
  EXPECT_EQ(read.Mail, book.Mail);
  EXPECT_EQ(read.Price, -7);
  EXPECT_EQ(read.Version, u"0010");
  EXPECT_EQ(read.PageTable, book.PageTable);
}

TEST(BookWriter, SameContentsDifferOnlyInKeyAndCheck) {
  TempDir dir;
  FakeSurface surface;
  surface.pictures[u"a"] = Picture(3, 2, {1, 2, 3, 4, 5, 6});
  BookRecord book = OnePageBook();
  book.Title = u"Twice";
  ASSERT_EQ(WriteBook(U16(dir / "1.qbb"), book, {u"a"}, surface), kWriteOk);
  ASSERT_EQ(WriteBook(U16(dir / "2.qbb"), book, {u"a"}, surface), kWriteOk);
  std::string a = ReadAll(dir / "1.qbb");
  std::string b = ReadAll(dir / "2.qbb");
  ASSERT_EQ(a.size(), b.size());
  a[107] = a[108] = b[107] = b[108] = 0;
  EXPECT_EQ(a, b);
}

TEST(BookWriter, OverwritingALargerBookLeavesNoOldBytes) {
  TempDir dir;
  const auto path = dir / "b.qbb";
  test::WriteAll(path, std::string(5000, 'z'));
  FakeSurface surface;
  surface.pictures[u"a"] = Picture(1, 1, {7});
  BookRecord book = OnePageBook();
  ASSERT_EQ(WriteBook(U16(path), book, {u"a"}, surface), kWriteOk);
  EXPECT_EQ(ReadAll(path).size(), 109u + 2 + 4 + 12);

  // A name at the file system's limit still has room for its temporary file.
  const auto longest = dir / (std::string(251, 'n') + ".qbb");
  ASSERT_EQ(WriteBook(U16(longest), book, {u"a"}, surface), kWriteOk);
  EXPECT_EQ(ReadAll(longest).size(), 109u + 2 + 4 + 12);
}

// Every failure leaves an existing book byte-identical and no temporary file.
class BookWriterFailure : public ::testing::Test {
 protected:
  void SetUp() override {
    surface.pictures[u"a"] = Picture(1, 1, {7});
    old = "old book bytes";
    test::WriteAll(path, old);
  }
  void ExpectOldBookKept() {
    EXPECT_EQ(ReadAll(path), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
  }
  TempDir dir;
  std::filesystem::path path = dir / "b.qbb";
  std::string old;
  FakeSurface surface;
  WriteDetail detail;
};

TEST_F(BookWriterFailure, MissingSecondPicture) {
  BookRecord book;
  book.PageCount = 2;
  EXPECT_EQ(WriteBook(U16(path), book, {u"a", u"missing"}, surface, &detail), kWritePictureFailed);
  EXPECT_EQ(detail.pictureIndex, 1);
  EXPECT_NE(detail.message.find("missing"), std::string::npos);
  ExpectOldBookKept();
}

TEST_F(BookWriterFailure, TextBlockOver32767Bytes) {
  BookRecord book = OnePageBook();
  book.Comment = std::u16string(16383, u'あ');  // 32,766 bytes + 2 separators
  EXPECT_EQ(WriteBook(U16(path), book, {u"a"}, surface, &detail), kWriteTextTooLong);
  ExpectOldBookKept();
  book.Comment.pop_back();
  book.Comment += u"a";  // exactly 32,767 bytes is allowed
  EXPECT_EQ(WriteBook(U16(dir / "ok.qbb"), book, {u"a"}, surface), kWriteOk);
}

TEST_F(BookWriterFailure, PictureWiderThanTheFormatAllows) {
  surface.pictures[u"wide"] = Picture(32768, 0, {});
  // Within 32,767 on each side, but more pixels than a 32-bit bitmap can hold.
  surface.pictures[u"huge"] = Picture(32767, 16385, {});
  BookRecord book = OnePageBook();
  EXPECT_EQ(WriteBook(U16(path), book, {u"wide"}, surface, &detail), kWriteTooLarge);
  EXPECT_EQ(detail.pictureIndex, 0);
  EXPECT_EQ(WriteBook(U16(path), book, {u"huge"}, surface, &detail), kWriteTooLarge);
  ExpectOldBookKept();
}

TEST_F(BookWriterFailure, NoPagesOrTooFewPictures) {
  BookRecord book;
  EXPECT_EQ(WriteBook(U16(path), book, {u"a"}, surface), kWriteNoPages);
  book.PageCount = 2;
  EXPECT_EQ(WriteBook(U16(path), book, {u"a"}, surface), kWriteNoPages);
  ExpectOldBookKept();
}

TEST_F(BookWriterFailure, CancelledByProgress) {
  BookRecord book;
  book.PageCount = 2;
  std::vector<int> seen;
  const auto progress = [&](int page, int count) {
    seen.push_back(page);
    EXPECT_EQ(count, 2);
    return page == 0;
  };
  EXPECT_EQ(WriteBook(U16(path), book, {u"a", u"a"}, surface, &detail, progress), kWriteCancelled);
  EXPECT_EQ(seen, (std::vector<int>{0, 1}));
  ExpectOldBookKept();
}

TEST_F(BookWriterFailure, FullDisk) {
  surface.pictures[u"big"] = Picture(100, 100, PixelArray(100 * 100, 0x123456));
  BookRecord book = OnePageBook();
  {
    qb::testing::FullDisk full;
    EXPECT_EQ(WriteBook(U16(path), book, {u"big"}, surface, &detail), kWriteIoError);
  }
  EXPECT_NE(detail.message.find("b.qbb"), std::string::npos) << detail.message;
  ExpectOldBookKept();
}

TEST(BookWriter, ReplacingABookKeepsItsLinkAndPermissions) {
  TempDir dir;
  std::filesystem::create_directory(dir / "shelf");
  const auto real = dir / "shelf" / "fable.qbb";
  test::WriteAll(real, "old book");
  ::chmod(real.c_str(), 0600);
  std::filesystem::create_symlink(real, dir / "fable.qbb");
  FakeSurface surface;
  surface.pictures[u"a"] = Picture(1, 1, {7});
  BookRecord book = OnePageBook();
  ASSERT_EQ(WriteBook(U16(dir / "fable.qbb"), book, {u"a"}, surface), kWriteOk);
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "fable.qbb"));
  EXPECT_EQ(ReadAll(real).size(), 109u + 2 + 4 + 12);
  struct stat status {};
  ASSERT_EQ(::stat(real.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0600u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "shelf"), {}), 1);
}

TEST(BookWriter, UnwritableTargetIsAnIoError) {
  FakeSurface surface;
  surface.pictures[u"a"] = Picture(1, 1, {7});
  BookRecord book = OnePageBook();
  EXPECT_EQ(WriteBook(u"/nonexistent-folder/b.qbb", book, {u"a"}, surface), kWriteIoError);
  EXPECT_EQ(surface.loads, 0);
}

TEST(BookWriter, HeaderHelpers) {
  std::string header(12, '\0');
  PutInt16(header, -2, 0);
  PutInt32(header, 0x01020304, 2);
  EXPECT_EQ(header.substr(0, 6), std::string("\xFE\xFF\x04\x03\x02\x01", 6));
  EXPECT_EQ(GetInt16(header, 0), -2);
  EXPECT_EQ(GetInt32(header, 2), 0x01020304);
  // The byte count is the character count: a full-width field of 4
  // characters stores only the first 4 of its 8 bytes.
  TextToBytes(header, u"ああああ", 6);
  EXPECT_EQ(header.substr(6, 6), std::string("\x82\xA0\x82\xA0\0\0", 6));
}

}  // namespace
}  // namespace qb
