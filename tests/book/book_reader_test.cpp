#include <gtest/gtest.h>
#include <sys/stat.h>

#include "book/book_file.h"
#include "book/book_reader.h"
#include "book/book_writer.h"
#include "book_test_support.h"
#include "common/text_helpers.h"

namespace qb {
namespace {

using test::ReadAll;
using test::TempDir;
using test::U16;
using test::WriteAll;

// A hand-made book: header fields as raw bytes, so the reader is tested
// against the layout rather than against our own writer.
struct RawBook {
  std::string author = "Ann";
  std::string title = "Tale";
  std::string password;
  std::int16_t pageCount = 1;
  std::int32_t price = 0;
  std::string text = "\x7F\x7F";
  std::uint8_t key = 0x12;
  std::uint8_t check = 0x12 ^ 0xAA;
  std::int16_t width = 1;
  std::int16_t height = 1;
  std::string pixels = std::string("\x1E\x1E\x3C\x3C\x5A\x5A", 6);

  std::string Bytes() const {
    std::string h(109, '\0');
    h.replace(0, 9, "*QBB*0010");
    const auto field = [&](const std::string& s, std::size_t at, std::size_t width) {
      std::string padded = s;
      padded.resize(width, ' ');
      h.replace(at, width, padded);
    };
    field(author, 9, 24);
    field(title, 33, 56);
    field(password, 91, 8);
    PutInt16(h, pageCount, 89);
    PutInt32(h, price, 99);
    PutInt32(h, static_cast<std::int32_t>(text.size()), 103);
    h[107] = static_cast<char>(key);
    h[108] = static_cast<char>(check);
    std::string table(4 * std::max<int>(pageCount, 0), '\0');
    const auto first = static_cast<std::int32_t>(109 + text.size() + table.size() + 1);
    for (int i = 0; i < pageCount; ++i) PutInt32(table, first, 4 * i);
    std::string record(6, '\0');
    PutInt16(record, width, 0);
    PutInt16(record, height, 2);
    return h + text + table + record + pixels;
  }
};

class BookReader : public ::testing::Test {
 protected:
  int Read(const RawBook& raw, BookRecord& book) {
    WriteAll(path, raw.Bytes());
    return ReadBookHeader(U16(path), book);
  }
  TempDir dir;
  std::filesystem::path path = dir / "b.qbb";
};

TEST_F(BookReader, FixedTextsAreTrimmedCutAtNulAndPadded) {
  RawBook raw;
  raw.author = "  Ann  ";
  raw.title = std::string("Tale\0junk", 9);
  raw.price = 1500;
  BookRecord book;
  ASSERT_EQ(Read(raw, book), kBookSound);
  EXPECT_EQ(book.Author, u"Ann" + std::u16string(21, u' '));
  EXPECT_EQ(book.Title, u"Tale" + std::u16string(52, u' '));
  EXPECT_EQ(book.Password, std::u16string(8, u' '));
  EXPECT_EQ(book.Version, u"0010");
  EXPECT_EQ(book.Price, 1500);
  EXPECT_EQ(book.Key, 0x12);
  EXPECT_EQ(book.Check, 0x12 ^ 0xAA);
  EXPECT_EQ(book.TextLength, 2);
  EXPECT_EQ(book.PageTable, std::vector<std::int32_t>{116});
}

TEST_F(BookReader, KeyAndCheckPairs) {
  for (const auto& [key, check] : {std::pair{0x00, 0xAA}, {0xAA, 0x00}, {0xFF, 0x55}}) {
    RawBook raw;
    raw.key = static_cast<std::uint8_t>(key);
    raw.check = static_cast<std::uint8_t>(check);
    BookRecord book;
    EXPECT_EQ(Read(raw, book), kBookSound) << key;
    raw.check ^= 1;
    EXPECT_EQ(Read(raw, book), kBookCheckFailed) << key;
  }
}

TEST_F(BookReader, CheckFailureStillFillsEverything) {
  RawBook raw;
  raw.check = 0;
  raw.text = "c\x7Fu\x7Fm";
  BookRecord book;
  ASSERT_EQ(Read(raw, book), kBookCheckFailed);
  EXPECT_EQ(book.Title, FitToChars(u"Tale", 56));
  EXPECT_EQ(book.Author, FitToChars(u"Ann", 24));
  EXPECT_EQ(book.Comment, u"c");
  EXPECT_EQ(book.Url, u"u");
  EXPECT_EQ(book.Mail, u"m");
  EXPECT_EQ(book.PageTable.size(), 1u);
}

TEST_F(BookReader, NotABookLeavesTheRecordUntouched) {
  RawBook raw;
  BookRecord book;
  ASSERT_EQ(Read(raw, book), kBookSound);
  const BookRecord before = book;
  for (const std::string& bytes :
       {std::string("*QBC*0010") + std::string(200, 'x'), std::string("*QB"), std::string()}) {
    WriteAll(path, bytes);
    EXPECT_EQ(ReadBookHeader(U16(path), book), kBookNotABook);
    EXPECT_EQ(book, before);
  }
}

TEST_F(BookReader, TextBlockFields) {
  struct Case {
    std::string block;
    std::u16string comment, url, mail;
  };
  const Case cases[] = {
      {"\x7F\x7F", u"", u"", u""},
      {"word\x7Fsecond", u"word", u"second", u""},
      {"a\x7F"
       "b\x7F"
       "c\x7F"
       "ignored",
       u"a", u"b", u"c"},
      {"two\x80nwords\x7Fu\x80n\x7Fm\x80n", u"two\r\nwords", u"u\u0080n", u"m\u0080n"},
      // 0x81 0x80 is one double-byte character; its trail byte is no break.
      {"\x81\x80n\x7F\x7F", u"\u00F7n", u"", u""},
      {"crlf\r\nkept\x7F\x7F", u"crlf\r\nkept", u"", u""},
      // The longest block a book may hold.
      {std::string(32765, 'c') + "\x7F\x7F", std::u16string(32765, u'c'), u"", u""},
  };
  for (const auto& c : cases) {
    RawBook raw;
    raw.text = c.block;
    BookRecord book;
    ASSERT_EQ(Read(raw, book), kBookSound);
    EXPECT_EQ(book.Comment, c.comment);
    EXPECT_EQ(book.Url, c.url);
    EXPECT_EQ(book.Mail, c.mail);
    EXPECT_EQ(book.TextLength, static_cast<std::int32_t>(c.block.size()));
  }
}

TEST_F(BookReader, PagesDecodeBottomRowFirst) {
  RawBook raw;
  raw.width = 2;
  raw.height = 1;
  // blue plane, red plane, green plane: pixel 0 = (r 1, g 2, b 3), pixel 1 = (r 4, g 5, b 6)
  raw.pixels = {char(3 ^ 0x1E), char(6 ^ 0x1E), 0x1E, char(1 ^ 0x3C), char(4 ^ 0x3C), 0x3C,
                char(2 ^ 0x5A), char(5 ^ 0x5A), 0x5A};
  BookRecord book;
  ASSERT_EQ(Read(raw, book), kBookSound);
  PageImage page;
  ASSERT_EQ(ReadPageImage(U16(path), page, book.PageTable[0]), 0);
  EXPECT_EQ(page.Width, 2);
  EXPECT_EQ(page.Height, 1);
  EXPECT_EQ(page.Pixels, (PixelArray{0x00010203, 0x00040506, 0}));
  PageImage head;
  ASSERT_EQ(ReadPageHeader(U16(path), head, book.PageTable[0]), 0);
  EXPECT_EQ(head.Width, 2);
  EXPECT_EQ(head.Height, 1);
  EXPECT_TRUE(head.Pixels.empty());
}

TEST_F(BookReader, EmptyPageHasOneZeroPixel) {
  RawBook raw;
  raw.width = 0;
  raw.height = 0;
  raw.pixels = "\x1E\x3C\x5A";
  BookRecord book;
  ASSERT_EQ(Read(raw, book), kBookSound);
  PageImage page;
  ASSERT_EQ(ReadPageImage(U16(path), page, book.PageTable[0]), 0);
  EXPECT_EQ(page.Pixels, PixelArray{0});
}

TEST_F(BookReader, DamagedHeadersAreRefusedAndLeaveTheRecord) {
  std::vector<RawBook> damaged(6);
  damaged[0].text = "\x7F";  // text length 1
  damaged[1].pageCount = 0;
  damaged[2].pageCount = -3;
  damaged[3].width = -1;
  damaged[4].width = 32767;  // claims a page far beyond the file
  damaged[4].height = 32767;
  damaged[5].pixels.pop_back();  // last plane one byte short
  for (std::size_t i = 0; i < damaged.size(); ++i) {
    BookRecord book;
    book.Title = u"kept";
    EXPECT_EQ(Read(damaged[i], book), kBookDamaged) << i;
    EXPECT_EQ(book.Title, u"kept") << i;
  }
}

TEST_F(BookReader, TextLengthAndTablePastTheEndAreRefused) {
  std::string bytes = RawBook().Bytes();
  PutInt32(bytes, 32767, 103);
  WriteAll(path, bytes);
  BookRecord book;
  EXPECT_EQ(ReadBookHeader(U16(path), book), kBookDamaged);

  bytes = RawBook().Bytes();
  PutInt32(bytes, 40000, 103);
  WriteAll(path, bytes);
  EXPECT_EQ(ReadBookHeader(U16(path), book), kBookDamaged);

  bytes = RawBook().Bytes();
  PutInt32(bytes, static_cast<std::int32_t>(bytes.size()), 111);  // table entry at the very end
  WriteAll(path, bytes);
  EXPECT_EQ(ReadBookHeader(U16(path), book), kBookDamaged);
  PutInt32(bytes, 0, 111);
  WriteAll(path, bytes);
  EXPECT_EQ(ReadBookHeader(U16(path), book), kBookDamaged);
}

TEST_F(BookReader, TableAloneLeavesRecordsToTheirPages) {
  // Records damaged past their header open; positions outside the file do not.
  struct Case {
    std::int32_t position;  // 0: as written
    std::int16_t width;
    bool popPixel;
    BookStatus table;
  };
  const std::size_t size = RawBook().Bytes().size();
  const Case cases[] = {
      {0, -1, false, kBookSound},
      {0, 1, true, kBookSound},
      {static_cast<std::int32_t>(size - 5), 1, false, kBookSound},  // the last six bytes
      {static_cast<std::int32_t>(size - 4), 1, false, kBookDamaged},
      {0x7FFFFFFF, 1, false, kBookDamaged},
      {-1, 1, false, kBookDamaged},
  };
  for (const Case& c : cases) {
    RawBook raw;
    raw.width = c.width;
    if (c.popPixel) raw.pixels.pop_back();
    std::string bytes = raw.Bytes();
    if (c.position != 0) PutInt32(bytes, c.position, 111);
    WriteAll(path, bytes);
    BookFile file(U16(path));
    BookRecord book;
    book.Title = u"kept";
    EXPECT_EQ(ReadBookTable(file, book), c.table) << c.position << " " << c.width;
    EXPECT_EQ(book.Title == u"kept", c.table != kBookSound) << c.position;
    EXPECT_EQ(ReadBookHeader(U16(path), book), kBookDamaged) << c.position << " " << c.width;
  }
}

TEST_F(BookReader, EveryPrefixOfABookIsRefused) {
  RawBook raw;
  raw.pageCount = 2;
  raw.width = 2;
  raw.height = 2;
  raw.pixels = std::string(15, '\x01');
  const std::string bytes = raw.Bytes();  // both table entries point at the one record
  BookRecord book;
  WriteAll(path, bytes);
  ASSERT_EQ(ReadBookHeader(U16(path), book), kBookSound);
  for (std::size_t n = 0; n < bytes.size(); ++n) {
    WriteAll(path, bytes.substr(0, n));
    BookRecord fresh;
    const int status = ReadBookHeader(U16(path), fresh);
    EXPECT_TRUE(status == kBookNotABook || status == kBookDamaged) << n;
  }
}

TEST_F(BookReader, UnreadablePathsAreDamaged) {
  BookRecord book;
  EXPECT_EQ(ReadBookHeader(U16(dir / "missing.qbb"), book), kBookDamaged);
  EXPECT_EQ(ReadBookHeader(U16(dir.path()), book), kBookDamaged);
  // Neither read without end nor waited on.
  EXPECT_EQ(ReadBookHeader(u"/dev/zero", book), kBookDamaged);
  const auto fifo = dir / "pipe.qbb";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(ReadBookHeader(U16(fifo), book), kBookDamaged);
  PageImage page;
  EXPECT_EQ(ReadPageImage(U16(fifo), page, 1), kBookDamaged);
}

TEST_F(BookReader, PageRecordChangedSinceOpeningIsReported) {
  RawBook raw;
  raw.width = 2;
  raw.height = 2;
  raw.pixels = std::string(15, '\0');
  BookRecord book;
  ASSERT_EQ(Read(raw, book), kBookSound);
  const std::string bytes = ReadAll(path);
  WriteAll(path, bytes.substr(0, bytes.size() - 4));
  PageImage page;
  EXPECT_NE(ReadPageImage(U16(path), page, book.PageTable[0]), 0);
  EXPECT_EQ(page.Width, 0);
  EXPECT_NE(ReadPageImage(U16(path), page, 0), 0);
  EXPECT_NE(ReadPageImage(U16(dir / "gone.qbb"), page, 1), 0);
}

TEST(BookFieldHelpers, GetFieldAndReplaceText) {
  EXPECT_EQ(GetField(u"a\x7F"
                     "b",
                     2, u"\x7F"),
            u"b");
  EXPECT_EQ(GetField(u"a\x7F"
                     "b",
                     3, u"\x7F"),
            u"");
  EXPECT_EQ(GetField(u"a::b::c", 3, u"::"), u"c");
  EXPECT_EQ(ReplaceText(u"aaa", u"aa", u"b"), u"ba");
  EXPECT_EQ(BytesToText(std::string_view("  x\0y  ", 7), 0, 7), u"x");
}

}  // namespace
}  // namespace qb
