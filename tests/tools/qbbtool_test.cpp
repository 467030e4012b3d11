#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <fstream>

#include "book/book_reader.h"
#include "common/text_helpers.h"
#include "common/utf8.h"
#include "qbbtool_test_support.h"
#include "tools/qbbtool/command_line.h"
#include "tools/qbbtool/commands.h"
#include "tools/qbbtool/json_writer.h"
#include "tools/qbbtool/page_number.h"

namespace qbbtool {
namespace {

namespace fs = std::filesystem;
using TempFolder = test::ScratchFolder;
using test::RunCommand;
using test::RunCommandOutput;
using test::Slurp;

std::string MakeBitmap(const TempFolder& dir, const std::string& name, int w, int h, QRgb colour) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(colour);
  image.setPixel(0, h - 1, qRgb(1, 2, 3));  // bottom-left marker
  const std::string path = dir / name;
  EXPECT_TRUE(image.save(QString::fromStdString(path), "BMP"));
  return path;
}

TEST(QbbtoolArguments, OptionsPositionalsAndErrors) {
  const auto line = ParseCommandLine({"out.qbb", "--title", "T", "a.bmp", "--", "--odd.bmp"}, {"--title"});
  EXPECT_EQ(line.positional, (std::vector<std::string>{"out.qbb", "a.bmp", "--odd.bmp"}));
  EXPECT_EQ(line.Option("--title"), "T");
  EXPECT_FALSE(line.Option("--author"));
  EXPECT_NE(ParseCommandLine({"--bogus", "x"}, {}).error, "");
  EXPECT_NE(ParseCommandLine({"--title"}, {"--title"}).error, "");
  EXPECT_TRUE(ParseCommandLine({"-h"}, {}).help);
}

TEST(QbbtoolArguments, PageNumbers) {
  EXPECT_EQ(ParsePageNumber("1", 3), 1);
  EXPECT_EQ(ParsePageNumber("3", 3), 3);
  for (const char* bad : {"0", "4", "-1", "2x", "", " 2", "99999999999"}) EXPECT_EQ(ParsePageNumber(bad, 3), 0) << bad;
  for (const char* number : {"0", "-1", "99999999999"}) EXPECT_TRUE(IsWholeNumber(number)) << number;
  for (const char* text : {"abc", "2x", "", "-", " 2", "1.5", "+1"}) EXPECT_FALSE(IsWholeNumber(text)) << text;
  EXPECT_EQ(ParseCommandLine({"-1", "-x"}, {}).positional, (std::vector<std::string>{"-1"}));
}

TEST(QbbtoolJson, StringsAreEscaped) {
  EXPECT_EQ(JsonString("a\"b\\c\r\n\x7F\x01"), "\"a\\\"b\\\\c\\r\\n\\u007f\\u0001\"");
  EXPECT_EQ(JsonObject().Add("n", -5).Add("s", "日本").AddRaw("a", "[1]").Str(), "{\"n\":-5,\"s\":\"日本\",\"a\":[1]}");
}

TEST(Qbbtool, MakeInfoAndPageRoundTrip) {
  TempFolder dir;
  const std::string first = MakeBitmap(dir, "p1.bmp", 4, 3, qRgb(200, 100, 50));
  const std::string second = MakeBitmap(dir, "p2.bmp", 2, 5, qRgb(0, 0, 255));
  const std::string book = dir / "out.qbb";
  std::string err;
  ASSERT_EQ(RunCommand(RunMake,
                       {book, "--author", "一二三四五六七八九十一二三", "--title", "Tale", "--password", "secret99",
                        "--price", "1500", "--comment", "a\nb\x7F", "--url", "http://u/", first, second},
                       &err),
            kExitOk)
      << err;

  std::string json;
  ASSERT_EQ(RunCommandOutput(RunInfo, {book}, &json, nullptr), 0);
  // 13 full-width characters are 26 bytes: cut to 12 (24 bytes); the record
  // pads the field to its 24 characters.
  EXPECT_NE(json.find("\"author\":\"一二三四五六七八九十一二" + std::string(12, ' ') + "\""), std::string::npos)
      << json;
  EXPECT_NE(json.find("\"password\":\"secret99\""), std::string::npos) << json;
  EXPECT_NE(json.find("\"price\":1500"), std::string::npos);
  EXPECT_NE(json.find("\"comment\":\"a\\r\\nb\""), std::string::npos) << json;
  EXPECT_NE(json.find("\"pageCount\":2"), std::string::npos);
  EXPECT_NE(json.find("\"pages\":[{\"width\":4,\"height\":3},{\"width\":2,\"height\":5}]"), std::string::npos) << json;

  const std::string png = dir / "page.png";
  ASSERT_EQ(RunCommand(RunPage, {book, "1", png}), kExitOk);
  QImage page(QString::fromStdString(png));
  ASSERT_EQ(page.size(), QSize(4, 3));
  EXPECT_EQ(page.pixel(1, 1), qRgb(200, 100, 50));
  EXPECT_EQ(page.pixel(0, 2), qRgb(1, 2, 3));
  EXPECT_FALSE(page.hasAlphaChannel());

  for (const char* missing : {"3", "0", "-1"}) {
    EXPECT_EQ(RunCommand(RunPage, {book, missing, png}, &err), kExitNoSuchPage) << missing;
    EXPECT_NE(err.find("pages 1 to 2"), std::string::npos) << err;
  }
  EXPECT_EQ(RunCommand(RunPage, {book, "abc", png}, &err), kExitUsage);
  EXPECT_NE(err.find("Usage: qbbtool page"), std::string::npos) << err;
}

TEST(Qbbtool, RefusedBooksAndBadPictures) {
  TempFolder dir;
  const std::string notBook = dir / "x.qbb";
  std::ofstream(notBook) << "hello, not a book";
  std::string out;
  std::string err;
  EXPECT_EQ(RunCommandOutput(RunInfo, {notBook}, &out, nullptr), kExitNotABook);
  EXPECT_NE(out.find("\"status\":2"), std::string::npos);
  EXPECT_NE(out.find("\"pageTable\":[]"), std::string::npos);
  EXPECT_EQ(RunCommand(RunPage, {notBook, "1", dir / "p.png"}, &err), kExitNotABook);
  EXPECT_EQ(RunCommandOutput(RunInfo, {dir / "missing.qbb"}, &out, &err), kExitDamaged);
  EXPECT_TRUE(out.empty());
  EXPECT_FALSE(err.empty());

  const std::string good = MakeBitmap(dir, "ok.bmp", 2, 2, qRgb(9, 9, 9));
  std::ofstream(dir / "broken.bmp") << "BM not really";
  const std::string book = dir / "b.qbb";
  EXPECT_EQ(RunCommand(RunMake, {book, "--author", "a", good, dir / "broken.bmp"}, &err), kExitPictureFailed);
  EXPECT_NE(err.find("page 2"), std::string::npos) << err;
  EXPECT_NE(err.find("broken.bmp"), std::string::npos) << err;
  EXPECT_FALSE(fs::exists(book));
  EXPECT_EQ(RunCommand(RunMake, {book, "--price", "12.5", good}), kExitUsage);
  EXPECT_EQ(RunCommand(RunMake, {book}), kExitUsage);
  for (const Args& blank : {Args{book, good}, Args{book, "--author", "   ", good}}) {
    EXPECT_EQ(RunCommand(RunMake, blank, &err), kExitNothingToBind);
    EXPECT_NE(err.find("author is blank"), std::string::npos) << err;
  }
  EXPECT_FALSE(fs::exists(book));
}

TEST(Qbbtool, MakeNamesTheCharactersTheBookCannotHold) {
  TempFolder dir;
  const std::string picture = MakeBitmap(dir, "p.bmp", 1, 1, qRgb(1, 1, 1));
  std::string err;
  ASSERT_EQ(
      RunCommand(RunMake, {dir / "b.qbb", "--author", "Zoë", "--comment", "ça va ¥", "--title", "絵本", picture}, &err),
      kExitOk);
  EXPECT_EQ(err,
            "qbbtool make: the book's author holds a look-alike or ? for characters code page 932 lacks: ë\n"
            "qbbtool make: the book's comment holds a look-alike or ? for characters code page 932 lacks: ç¥\n");
  ASSERT_EQ(RunCommand(RunMake, {dir / "c.qbb", "--author", "ｸｲﾙ", "--title", "絵本 ～", picture}, &err), kExitOk);
  EXPECT_EQ(err, "");
}

// The password is stored whole or refused: cut, it would lock out readers.
TEST(Qbbtool, MakeRefusesAPasswordOverEightBytes) {
  TempFolder dir;
  const std::string picture = MakeBitmap(dir, "p.bmp", 1, 1, qRgb(1, 1, 1));
  const std::string book = dir / "b.qbb";
  std::string err;
  for (const char* password : {"abcdefghi", "パスワード"}) {
    EXPECT_EQ(RunCommand(RunMake, {book, "--author", "A", "--password", password, picture}, &err), kExitUsage);
    EXPECT_NE(err.find("at most 8 bytes"), std::string::npos) << err;
    EXPECT_FALSE(fs::exists(book)) << password;
  }
  ASSERT_EQ(RunCommand(RunMake, {book, "--author", "A", "--password", "パスワー", picture}, &err), kExitOk) << err;
  qb::BookRecord record;
  ASSERT_EQ(qb::ReadBookHeader(qb::FromUtf8(book), record), qb::kBookSound);
  EXPECT_EQ(qb::Trim(record.Password), u"パスワー");
}

TEST(Qbbtool, CheckFailureStillPrintsTheRecord) {
  TempFolder dir;
  const std::string book = dir / "b.qbb";
  ASSERT_EQ(
      RunCommand(RunMake, {book, "--author", "a", "--title", "Kept", MakeBitmap(dir, "p.bmp", 1, 1, qRgb(1, 1, 1))}),
      kExitOk);
  std::string bytes = Slurp(book);
  bytes[108] = static_cast<char>(bytes[108] ^ 1);
  std::ofstream(book, std::ios::binary) << bytes;
  std::string json;
  EXPECT_EQ(RunCommandOutput(RunInfo, {book}, &json, nullptr), kExitCheckFailed);
  EXPECT_NE(json.find("\"title\":\"Kept"), std::string::npos);
  EXPECT_NE(json.find("\"status\":3"), std::string::npos);
}

}  // namespace
}  // namespace qbbtool
