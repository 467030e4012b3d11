// "qbbtool thumbnail": page 1 fitted into a square for the desktop's file
// previews; nothing written for a book that is refused.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QImage>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "book/book_reader.h"
#include "common/utf8.h"
#include "qbbtool_test_support.h"
#include "tools/qbbtool/command_line.h"
#include "tools/qbbtool/commands.h"
#include "tools/qbbtool/thumbnail_size.h"
#include "tools/qbbtool/thumbnailer_entry.h"

namespace qbbtool {
namespace {

namespace fs = std::filesystem;
using Scratch = test::ScratchFolder;
using test::Slurp;

int Command(int (*command)(const Args&), const Args& args, std::string* err = nullptr) {
  return test::RunCommand(command, args, err);
}

// A page in four coloured quarters, so that a flipped or wrong page shows.
std::string QuarteredPicture(const Scratch& dir, const std::string& name, int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const bool right = x >= w / 2, bottom = y >= h / 2;
      const QRgb top = right ? qRgb(250, 250, 0) : qRgb(220, 0, 0);
      image.setPixel(x, y, bottom ? (right ? qRgb(0, 0, 255) : qRgb(0, 200, 0)) : top);
    }
  }
  const std::string path = dir / name;
  EXPECT_TRUE(image.save(QString::fromStdString(path), "BMP"));
  return path;
}

std::string PlainPicture(const Scratch& dir, const std::string& name, int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(qRgb(40, 40, 40));
  const std::string path = dir / name;
  EXPECT_TRUE(image.save(QString::fromStdString(path), "BMP"));
  return path;
}

bool Near(QRgb a, QRgb b) {
  return std::abs(qRed(a) - qRed(b)) < 8 && std::abs(qGreen(a) - qGreen(b)) < 8 && std::abs(qBlue(a) - qBlue(b)) < 8;
}

TEST(ThumbnailSize, FitsTheBoxKeepingProportionsAndNeverEnlarges) {
  EXPECT_EQ(ThumbnailSize({600, 450}, 128), QSize(128, 96));
  EXPECT_EQ(ThumbnailSize({450, 600}, 128), QSize(96, 128));
  // 479 x 128 / 640 = 95.8 rounds up.
  EXPECT_EQ(ThumbnailSize({640, 479}, 128), QSize(128, 96));
  EXPECT_EQ(ThumbnailSize({479, 640}, 128), QSize(96, 128));
  EXPECT_EQ(ThumbnailSize({600, 450}, 256), QSize(256, 192));
  EXPECT_EQ(ThumbnailSize({300, 300}, 256), QSize(256, 256));
  EXPECT_EQ(ThumbnailSize({3, 2}, 2), QSize(2, 1));
  EXPECT_EQ(ThumbnailSize({40, 30}, 128), QSize(40, 30));
  EXPECT_EQ(ThumbnailSize({256, 10}, 256), QSize(256, 10));
  // A sliver keeps one pixel rather than vanishing.
  EXPECT_EQ(ThumbnailSize({30000, 2}, 128), QSize(128, 1));
  EXPECT_EQ(ThumbnailSize({2, 30000}, 128), QSize(1, 128));
  EXPECT_TRUE(ThumbnailSize({0, 30}, 128).isEmpty());
}

TEST(ThumbnailSize, SizeArgument) {
  EXPECT_EQ(ParseThumbnailSize("128"), 128);
  EXPECT_EQ(ParseThumbnailSize("1"), 1);
  EXPECT_EQ(ParseThumbnailSize("4096"), 4096);
  for (const char* bad : {"", "0", "-5", "4097", "12x", "1e3", " 64", "99999999999"}) {
    EXPECT_FALSE(ParseThumbnailSize(bad)) << bad;
  }
}

TEST(ThumbnailSize, ShortOptionsAndSwitchesAreParsed) {
  const auto line = ParseCommandLine({"-s", "64", "--force", "a", "b"}, {"-s"}, {"--force"});
  EXPECT_TRUE(line.error.empty()) << line.error;
  EXPECT_EQ(line.Option("-s"), "64");
  EXPECT_TRUE(line.Switch("--force"));
  EXPECT_EQ(line.positional, (std::vector<std::string>{"a", "b"}));
  EXPECT_FALSE(ParseCommandLine({"a"}, {"-s"}, {"--force"}).Switch("--force"));
  EXPECT_NE(ParseCommandLine({"-s"}, {"-s"}).error, "");
  // A switch is not an option taking a value, and vice versa.
  EXPECT_NE(ParseCommandLine({"--force"}, {"-s"}).error, "");
  EXPECT_EQ(ParseCommandLine({"--force", "x"}, {}, {"--force"}).positional, std::vector<std::string>{"x"});
}

TEST(ThumbnailerEntry, RunsTheThumbnailCommandForBooks) {
  EXPECT_EQ(ThumbnailerEntryText("/opt/qb/bin/qbbtool"),
            "[Thumbnailer Entry]\n"
            "TryExec=/opt/qb/bin/qbbtool\n"
            "Exec=/opt/qb/bin/qbbtool thumbnail -s %s %i %o\n"
            "MimeType=application/x-quillberry-book;\n");
  // A path with a blank is quoted so the desktop splits the line correctly.
  const std::string spaced = ThumbnailerEntryText("/home/a b/bin/qbbtool");
  EXPECT_NE(spaced.find("Exec=\"/home/a b/bin/qbbtool\" thumbnail -s %s %i %o\n"), std::string::npos) << spaced;
  EXPECT_NE(spaced.find("TryExec=/home/a b/bin/qbbtool\n"), std::string::npos) << spaced;
}

class QbbtoolThumbnail : public ::testing::Test {
 protected:
  std::string Book(const std::string& name, const Args& options, int w = 600, int h = 450) {
    const std::string book = dir_ / name;
    Args args = {book, "--author", "a"};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back(QuarteredPicture(dir_, name + "-1.bmp", w, h));
    args.push_back(PlainPicture(dir_, name + "-2.bmp", 800, 800));
    std::string err;
    EXPECT_EQ(Command(RunMake, args, &err), kExitOk) << err;
    return book;
  }

  // Every entry of the folder: a refused command must leave no file behind,
  // not even a temporary one.
  std::size_t Entries() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_.path), fs::directory_iterator()));
  }

  Scratch dir_;
};

TEST_F(QbbtoolThumbnail, WritesPageOneFittedIntoTheBox) {
  const std::string book = Book("fable.qbb", {"--author", "A"});
  const std::string out = dir_ / "t.png";
  std::string err;
  ASSERT_EQ(Command(RunThumbnail, {"-s", "128", book, out}, &err), kExitOk) << err;
  QImage thumbnail(QString::fromStdString(out));
  ASSERT_EQ(thumbnail.size(), QSize(128, 96));
  // Page 1 the right way up: red top left, yellow top right, green and blue below.
  EXPECT_TRUE(Near(thumbnail.pixel(10, 10), qRgb(220, 0, 0)));
  EXPECT_TRUE(Near(thumbnail.pixel(117, 10), qRgb(250, 250, 0)));
  EXPECT_TRUE(Near(thumbnail.pixel(10, 85), qRgb(0, 200, 0)));
  EXPECT_TRUE(Near(thumbnail.pixel(117, 85), qRgb(0, 0, 255)));

  ASSERT_EQ(Command(RunThumbnail, {book, out}), kExitOk);
  EXPECT_EQ(QImage(QString::fromStdString(out)).size(), QSize(256, 192));
  ASSERT_EQ(Command(RunThumbnail, {"--size", "1000", book, out}), kExitOk);
  EXPECT_EQ(QImage(QString::fromStdString(out)).size(), QSize(600, 450));
}

// Run as root, renaming a finished file into place would replace a device
// such as /dev/stdout or /dev/full with a plain file; a pipe shows the same.
TEST_F(QbbtoolThumbnail, ADeviceOrPipeIsWrittenToNotReplaced) {
  const std::string book = Book("fable.qbb", {"--author", "A"}, 8, 6);
  const std::string pipe = dir_ / "pipe.png";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  // Held open for reading, so the command's open for writing does not wait.
  const int reader = open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  std::string err;
  EXPECT_EQ(Command(RunThumbnail, {book, pipe}, &err), kExitOk) << err;
  EXPECT_TRUE(fs::is_fifo(pipe));
  char head[8] = {};
  EXPECT_EQ(read(reader, head, sizeof head), static_cast<ssize_t>(sizeof head));
  close(reader);
  EXPECT_EQ(std::string(head, sizeof head), std::string("\x89PNG\r\n\x1A\n", 8));
}

TEST_F(QbbtoolThumbnail, ScalesSmoothly) {
  // Fine black and white stripes average to grey; picking pixels would keep
  // pure black or white.
  QImage stripes(200, 100, QImage::Format_RGB32);
  for (int x = 0; x < 200; ++x) {
    for (int y = 0; y < 100; ++y) stripes.setPixel(x, y, x % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
  }
  ASSERT_TRUE(stripes.save(QString::fromStdString(dir_ / "stripes.bmp"), "BMP"));
  const std::string book = dir_ / "stripes.qbb";
  ASSERT_EQ(Command(RunMake, {book, "--author", "a", dir_ / "stripes.bmp"}), kExitOk);
  ASSERT_EQ(Command(RunThumbnail, {"-s", "50", book, dir_ / "t.png"}), kExitOk);
  const QImage thumbnail(QString::fromStdString(dir_ / "t.png"));
  ASSERT_EQ(thumbnail.size(), QSize(50, 25));
  for (const int x : {5, 17, 30, 44}) {
    EXPECT_TRUE(Near(thumbnail.pixel(x, 12), qRgb(127, 127, 127)) || Near(thumbnail.pixel(x, 12), qRgb(128, 128, 128)))
        << std::hex << thumbnail.pixel(x, 12);
  }
}

TEST_F(QbbtoolThumbnail, ABookWithAPasswordStillShowsPageOne) {
  const std::string book = Book("locked.qbb", {"--password", "secret"}, 90, 120);
  const std::string out = dir_ / "t.png";
  ASSERT_EQ(Command(RunThumbnail, {"-s", "60", book, out}), kExitOk);
  QImage thumbnail(QString::fromStdString(out));
  ASSERT_EQ(thumbnail.size(), QSize(45, 60));
  EXPECT_TRUE(Near(thumbnail.pixel(40, 55), qRgb(0, 0, 255)));
}

TEST_F(QbbtoolThumbnail, RefusedBooksWriteNothing) {
  const std::string out = dir_ / "t.png";
  const std::string notBook = dir_ / "x.qbb";
  std::ofstream(notBook) << "hello, not a book at all";

  const std::string failedCheck = Book("check.qbb", {});
  std::string bytes = Slurp(failedCheck);
  bytes[108] = static_cast<char>(bytes[108] ^ 1);
  std::ofstream(failedCheck, std::ios::binary | std::ios::trunc) << bytes;

  // A book cut short, and one whose page 1 claims 0 x 0 pixels.
  const std::string cut = dir_ / "cut.qbb";
  const std::string emptyPage = Book("empty.qbb", {});
  std::string pageBytes = Slurp(emptyPage);
  std::ofstream(cut, std::ios::binary) << pageBytes.substr(0, pageBytes.size() / 2);
  qb::BookRecord record;
  ASSERT_EQ(qb::ReadBookHeader(qb::FromUtf8(emptyPage), record), qb::kBookSound);
  const auto page1 = static_cast<std::size_t>(record.PageTable[0] - 1);
  pageBytes.replace(page1, 4, std::string(4, '\0'));
  std::ofstream(emptyPage, std::ios::binary | std::ios::trunc) << pageBytes;

  const std::size_t before = Entries();
  std::string err;
  EXPECT_EQ(Command(RunThumbnail, {notBook, out}, &err), kExitNotABook);
  EXPECT_NE(err.find("not a book"), std::string::npos) << err;
  EXPECT_EQ(Command(RunThumbnail, {failedCheck, out}), kExitCheckFailed);
  EXPECT_EQ(Command(RunThumbnail, {cut, out}), kExitDamaged);
  EXPECT_EQ(Command(RunThumbnail, {emptyPage, out}, &err), kExitDamaged);
  EXPECT_NE(err.find("page 1"), std::string::npos) << err;
  EXPECT_EQ(Command(RunThumbnail, {dir_ / "missing.qbb", out}), kExitDamaged);
  EXPECT_EQ(Entries(), before);

  // A thumbnail already there is left as it was.
  std::ofstream(out) << "old";
  EXPECT_EQ(Command(RunThumbnail, {cut, out}), kExitDamaged);
  EXPECT_EQ(Slurp(out), "old");
}

TEST_F(QbbtoolThumbnail, WrongArgumentsAndUnwritableDestinations) {
  const std::string book = Book("b.qbb", {});
  const std::string out = dir_ / "t.png";
  EXPECT_EQ(Command(RunThumbnail, {book}), kExitUsage);
  EXPECT_EQ(Command(RunThumbnail, {"-s", "0", book, out}), kExitUsage);
  EXPECT_EQ(Command(RunThumbnail, {"-s", "big", book, out}), kExitUsage);
  EXPECT_EQ(Command(RunThumbnail, {"--bogus", "1", book, out}), kExitUsage);
  EXPECT_FALSE(fs::exists(out));
  EXPECT_EQ(Command(RunThumbnail, {book, dir_ / "no-such-folder/t.png"}), kExitCannotWrite);
  std::string help;
  testing::internal::CaptureStdout();
  EXPECT_EQ(RunThumbnail({"--help"}), kExitOk);
  help = testing::internal::GetCapturedStdout();
  EXPECT_NE(help.find("Usage: qbbtool thumbnail"), std::string::npos);
}

}  // namespace
}  // namespace qbbtool
