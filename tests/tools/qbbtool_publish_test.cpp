// "qbbtool publish": the web reader and a copy of the book in a folder, the
// page naming the book so that no file name can break out of its markup;
// nothing written for a refused book or an occupied folder.

#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <fstream>

#include "qbbtool_test_support.h"
#include "tools/qbbtool/commands.h"
#include "tools/qbbtool/reader_folder.h"

namespace qbbtool {
namespace {

namespace fs = std::filesystem;
using test::Slurp;

constexpr char kPage[] = "<head>\n<meta name=\"quillberry-book\" content=\"\">\n</head>\n";

void Put(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

struct PublishFixture : testing::Test {
  test::ScratchFolder scratch;
  fs::path reader = scratch.path / "reader";
  std::string book = scratch / "fable.qbb";

  void SetUp() override {
    fs::create_directory(reader);
    Put(reader / "index.html", kPage);
    Put(reader / "qb_core.wasm", std::string("\0asm", 4));
    Put(reader / "reader.js", "export {};\n");
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(QString::fromStdString(scratch / "p.bmp"), "BMP"));
    ASSERT_EQ(test::RunCommand(RunMake, {book, "--author", "Ann", "--title", "Fable", scratch / "p.bmp"}), kExitOk);
  }

  static int RunPublishCaptured(const Args& args, const fs::path& from) {
    testing::internal::CaptureStderr();
    const int status = RunPublish(args, from);
    testing::internal::GetCapturedStderr();
    return status;
  }
};

TEST(PageForBook, NamesTheBookAsAPathSegment) {
  const struct {
    const char* name;
    const char* content;
  } cases[] = {
      {"fable.qbb", "fable.qbb"},
      {"a b~c_d-e.qbb", "a%20b~c_d-e.qbb"},
      {"x\"><script>alert(1)</script>.qbb", "x%22%3E%3Cscript%3Ealert%281%29%3C%2Fscript%3E.qbb"},
      {"髙.qbb", "%E9%AB%99.qbb"},
      {"?book=//evil/x#", "%3Fbook%3D%2F%2Fevil%2Fx%23"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PageForBook(kPage, c.name),
              std::string("<head>\n<meta name=\"quillberry-book\" content=\"") + c.content + "\">\n</head>\n")
        << c.name;
  }
  EXPECT_EQ(PageForBook("<head></head>", "fable.qbb"), "");
}

TEST_F(PublishFixture, WritesTheReaderAndTheBook) {
  const fs::path site = scratch.path / "new" / "site";
  ASSERT_EQ(RunPublishCaptured({book, site.string()}, reader), kExitOk);
  EXPECT_EQ(Slurp(site / "index.html"), PageForBook(kPage, "fable.qbb"));
  EXPECT_EQ(Slurp(site / "qb_core.wasm"), Slurp(reader / "qb_core.wasm"));
  EXPECT_EQ(Slurp(site / "reader.js"), Slurp(reader / "reader.js"));
  EXPECT_EQ(Slurp(site / "fable.qbb"), Slurp(book));
  EXPECT_EQ(std::distance(fs::directory_iterator(site), fs::directory_iterator()), 4);
}

TEST_F(PublishFixture, RefusalsWriteNothing) {
  const std::string bytes = Slurp(book);
  Put(scratch / "cut.qbb", bytes.substr(0, bytes.size() - 1));
  Put(scratch / "other.qbb", "*QBX*" + bytes.substr(5));
  Put(reader / "fable.qbb", "");
  const fs::path noPlace = scratch.path / "plain";
  fs::create_directory(noPlace);
  Put(noPlace / "index.html", "<head></head>");
  Put(noPlace / "qb_core.wasm", "");
  const struct {
    std::string book;
    fs::path reader;
    int status;
  } cases[] = {
      {scratch / "cut.qbb", reader, kExitDamaged},
      {scratch / "other.qbb", reader, kExitNotABook},
      {book, fs::path(), kExitCannotWrite},
      {book, noPlace, kExitCannotWrite},
      {book, reader, kExitUsage},  // the reader holds a file of the book's name
  };
  for (const auto& c : cases) {
    const fs::path site = scratch.path / "site";
    EXPECT_EQ(RunPublishCaptured({c.book, site.string()}, c.reader), c.status) << c.book << " " << c.reader;
    EXPECT_FALSE(fs::exists(site)) << c.book;
  }
}

TEST_F(PublishFixture, AnOccupiedFolderOnlyWithForce) {
  const fs::path site = scratch.path / "site";
  fs::create_directory(site);
  Put(site / "index.html", "old");
  Put(site / "notes.txt", "mine");
  EXPECT_EQ(RunPublishCaptured({book, site.string()}, reader), kExitFolderInUse);
  EXPECT_EQ(Slurp(site / "index.html"), "old");
  EXPECT_EQ(RunPublishCaptured({"--force", book, site.string()}, reader), kExitOk);
  EXPECT_EQ(Slurp(site / "index.html"), PageForBook(kPage, "fable.qbb"));
  EXPECT_EQ(Slurp(site / "notes.txt"), "mine");
  EXPECT_EQ(Slurp(site / "fable.qbb"), Slurp(book));
}

}  // namespace
}  // namespace qbbtool
