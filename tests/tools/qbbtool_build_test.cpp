// "qbbtool build": binding the book a definition file describes with the
// Editor's export rules, and updating the definition file and the settings
// as the Editor does.

#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <fstream>

#include "book/book_reader.h"
#include "common/cp932.h"
#include "common/ini_access.h"
#include "common/utf8.h"
#include "qbbtool_test_support.h"
#include "tools/qbbtool/commands.h"

namespace qbbtool {
namespace {

namespace fs = std::filesystem;

using Folder = test::ScratchFolder;
using test::Slurp;

std::u16string U(const std::string& utf8) { return qb::FromUtf8(utf8); }

class QbbtoolBuild : public ::testing::Test {
 protected:
  QbbtoolBuild() {
    first_ = Picture("p1.bmp", 5, 3, 1);
    second_ = Picture("p2.bmp", 2, 4, 2);
  }

  // Runs the command with the settings in program_, capturing stderr.
  int Build(const Args& args, std::string* err = nullptr) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int status = RunBuild(args, qb::FromPath(program_.path));
    testing::internal::GetCapturedStdout();
    const std::string e = testing::internal::GetCapturedStderr();
    if (err) *err = e;
    return status;
  }

  // A definition file as someone might write it by hand, in code page 932.
  std::string Definition(const std::string& name, const std::u16string& systemKeys, const std::u16string& images) {
    const std::string path = work_ / name;
    std::ofstream(path, std::ios::binary) << qb::cp932::Encode(u"[System]\r\n" + systemKeys + u"[Image]\r\n" + images);
    return path;
  }

  std::u16string ImageKeys() const { return u"1=" + U(work_ / "p1.bmp") + u"\r\n2=" + U(work_ / "p2.bmp") + u"\r\n"; }

  std::string Settings(const std::u16string& section, const std::u16string& key) const {
    return qb::ToUtf8(qb::GetIniString(section, key, u"(none)", U(program_ / "Quilly.Ini")));
  }

  std::string DefinitionValue(const std::string& path, const std::u16string& section, const std::u16string& key) {
    return qb::ToUtf8(qb::GetIniString(section, key, u"(none)", U(path)));
  }

  QImage Picture(const std::string& name, int w, int h, int seed) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb(x * 40 + seed, y * 50, 200 - seed * 30));
    }
    EXPECT_TRUE(image.save(QString::fromStdString(work_ / name), "BMP"));
    return image;
  }

  Folder program_;
  Folder work_;
  QImage first_;
  QImage second_;
};

TEST_F(QbbtoolBuild, BindsTheBookWithTheEditorsRules) {
  const std::string def = Definition("fable.qbd",
                                     u"作者=一二三四五六七八九十一二三\r\nタイトル=   \r\n価格=12.5\r\n画像数=2\r\n"
                                     u"コメント=first\x7Fnsecond\r\nＵＲＬ=http://a/\r\n",
                                     ImageKeys());
  std::string err;
  ASSERT_EQ(Build({def}, &err), kExitOk) << err;

  const std::string book = work_ / "fable.qbb";
  const std::string bytes = Slurp(book);
  // 13 full-width characters are cut to 12 (24 bytes); a blank title is untitled.
  EXPECT_EQ(bytes.substr(9, 24), qb::cp932::Encode(u"一二三四五六七八九十一二"));
  EXPECT_EQ(bytes.substr(33, 56), qb::cp932::Encode(u"[無題]") + std::string(50, ' '));
  qb::BookRecord record;
  ASSERT_EQ(qb::ReadBookHeader(U(book), record), qb::kBookSound);
  EXPECT_EQ(record.Price, 12);
  EXPECT_EQ(record.Comment, u"first\r\nsecond");
  EXPECT_EQ(record.Url, u"http://a/");
  ASSERT_EQ(record.PageCount, 2);
  qb::PageImage page;
  ASSERT_EQ(qb::ReadPageImage(U(book), page, record.PageTable[1]), 0);
  ASSERT_EQ(page.Width, 2);
  ASSERT_EQ(page.Height, 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 2; ++x) EXPECT_EQ(page.Pixels[(3 - y) * 2 + x] & 0xFFFFFF, second_.pixel(x, y) & 0xFFFFFF);
  }

  // The definition now holds what the book holds, and the settings remember it.
  EXPECT_EQ(DefinitionValue(def, u"System", u"作者"), "一二三四五六七八九十一二");
  EXPECT_EQ(DefinitionValue(def, u"System", u"タイトル"), "[無題]");
  EXPECT_EQ(DefinitionValue(def, u"System", u"価格"), "12");
  EXPECT_EQ(Settings(u"UserInfo", u"Name"), "一二三四五六七八九十一二");
  EXPECT_EQ(Settings(u"UserInfo", u"URL"), "http://a/");
  EXPECT_EQ(Settings(u"System", u"LastFolder"), work_.path.string());
}

TEST_F(QbbtoolBuild, CharactersTheBookCannotHoldAreNamedAndAWrittenPriceIsKept) {
  const std::string def = work_ / "fable.qbd";
  std::ofstream(def, std::ios::binary) << "\xEF\xBB\xBF" + qb::ToUtf8(
                                                               u"[System]\r\n作者=作者\r\n"
                                                               u"タイトル=Müller's 絵本 😀\r\n価格=2147483647\r\n"
                                                               u"画像数=2\r\n[Image]\r\n" +
                                                               ImageKeys());
  std::string err;
  ASSERT_EQ(Build({def}, &err), kExitOk) << err;
  EXPECT_EQ(err, "qbbtool build: the book's title holds a look-alike or ? for characters code page 932 lacks: ü😀\n");
  qb::BookRecord record;
  ASSERT_EQ(qb::ReadBookHeader(U(work_ / "fable.qbb"), record), qb::kBookSound);
  EXPECT_EQ(record.Price, 2147483647);

  Definition("plain.qbd", u"作者=作者\r\nタイトル=絵本\r\n画像数=2\r\n", ImageKeys());
  ASSERT_EQ(Build({work_ / "plain.qbd"}, &err), kExitOk);
  EXPECT_EQ(err, "");
}

TEST_F(QbbtoolBuild, OutGetsQbbAndItsOwnDefinitionBeside) {
  const std::string def = Definition("fable.qbd", u"作者=A\r\n画像数=2\r\n", ImageKeys());
  const std::string original = Slurp(def);
  fs::create_directories(work_.path / "out");
  std::string err;
  ASSERT_EQ(Build({def, work_ / "out/story"}, &err), kExitOk) << err;
  EXPECT_TRUE(fs::exists(work_.path / "out/story.qbb"));
  EXPECT_EQ(DefinitionValue(work_ / "out/story.qbd", u"Image", u"2"), work_ / "p2.bmp");
  EXPECT_EQ(Slurp(def), original);
  EXPECT_EQ(Settings(u"System", u"LastFolder"), (work_.path / "out").string());

  ASSERT_EQ(Build({def, work_ / "out/upper.QBB"}, &err), kExitOk) << err;
  EXPECT_TRUE(fs::exists(work_.path / "out/upper.QBB"));
  EXPECT_TRUE(fs::exists(work_.path / "out/upper.qbd"));
}

TEST_F(QbbtoolBuild, NothingToBindIsRefusedWithoutWriting) {
  std::string err;
  const std::string noPictures = Definition("none.qbd", u"作者=A\r\n", u"");
  EXPECT_EQ(Build({noPictures}, &err), kExitNothingToBind);
  EXPECT_NE(err.find("no pictures"), std::string::npos) << err;

  const std::string blankAuthor = Definition("blank.qbd", u"作者=  \r\n画像数=2\r\n", ImageKeys());
  EXPECT_EQ(Build({blankAuthor}, &err), kExitNothingToBind);
  EXPECT_NE(err.find("author is blank"), std::string::npos) << err;

  // Ten bytes: cut to eight, it would lock out the readers.
  const std::string longPassword =
      Definition("locked.qbd", u"作者=A\r\nパスワード=パスワード\r\n画像数=2\r\n", ImageKeys());
  EXPECT_EQ(Build({longPassword}, &err), kExitNothingToBind);
  EXPECT_NE(err.find("8 bytes"), std::string::npos) << err;

  EXPECT_FALSE(fs::exists(work_.path / "locked.qbb"));
  EXPECT_FALSE(fs::exists(work_.path / "none.qbb"));
  EXPECT_FALSE(fs::exists(work_.path / "blank.qbb"));
  EXPECT_FALSE(fs::exists(program_.path / "Quilly.Ini"));
}

TEST_F(QbbtoolBuild, FailedPictureKeepsTheOldBookAndStillWritesTheDefinition) {
  const std::string def = Definition("fable.qbd", u"作者=A\r\n画像数=2\r\n", ImageKeys());
  ASSERT_EQ(Build({def}), kExitOk);
  const std::string oldBook = Slurp(work_ / "fable.qbb");

  const std::string broken = Definition("fable.qbd", u"作者=B\r\n画像数=2\r\n",
                                        u"1=" + U(work_ / "p1.bmp") + u"\r\n2=" + U(work_ / "gone.bmp") + u"\r\n");
  std::string err;
  EXPECT_EQ(Build({broken}, &err), kExitPictureFailed);
  EXPECT_NE(err.find("page 2 (" + work_ / "gone.bmp" + ")"), std::string::npos) << err;
  EXPECT_EQ(Slurp(work_ / "fable.qbb"), oldBook);
  // Rewritten as the Editor writes it: padded to 24 characters.
  EXPECT_NE(Slurp(def).find(qb::cp932::Encode(u"作者=B" + std::u16string(23, u' ') + u"\r\n")), std::string::npos);
}

TEST_F(QbbtoolBuild, ArgumentsAndMissingDefinition) {
  std::string err;
  EXPECT_EQ(Build({}, &err), kExitUsage);
  EXPECT_EQ(Build({"a.qbd", "b.qbb", "c"}, &err), kExitUsage);
  EXPECT_EQ(Build({work_ / "missing.qbd"}, &err), kExitUsage);
  EXPECT_NE(err.find("no readable file"), std::string::npos) << err;
  testing::internal::CaptureStdout();
  EXPECT_EQ(RunBuild({"--help"}), kExitOk);
  EXPECT_NE(testing::internal::GetCapturedStdout().find("Usage: qbbtool build DEF.qbd [OUT.qbb]"), std::string::npos);
}

}  // namespace
}  // namespace qbbtool
