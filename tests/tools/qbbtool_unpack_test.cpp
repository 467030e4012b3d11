// "qbbtool unpack": a book back into page pictures and a definition file
// that QuillyEd opens and "qbbtool build" binds into the same book; nothing
// written for a refused book, and an author's folder never overwritten
// unasked.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QImage>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "book/book_reader.h"
#include "common/utf8.h"
#include "editor/definition_file.h"
#include "qbbtool_test_support.h"
#include "tools/qbbtool/commands.h"
#include "tools/qbbtool/unpack_names.h"

namespace qbbtool {
namespace {

namespace fs = std::filesystem;
using Scratch = test::ScratchFolder;
using test::Slurp;

int Command(int (*command)(const Args&), const Args& args, std::string* err = nullptr) {
  return test::RunCommand(command, args, err);
}

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Every pixel different, so a lossy or shifted copy shows.
std::string NoisyPicture(const Scratch& dir, const std::string& name, int w, int h, int seed) {
  QImage image(w, h, QImage::Format_RGB32);
  unsigned state = static_cast<unsigned>(seed) * 2654435761u + 1;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      state = state * 1103515245u + 12345u;
      image.setPixel(x, y, qRgb((state >> 8) & 0xFF, (state >> 16) & 0xFF, (state >> 24) & 0xFF));
    }
  }
  const std::string path = dir / name;
  EXPECT_TRUE(image.save(QString::fromStdString(path), "BMP"));
  return path;
}

qb::BookRecord Header(const std::string& book) {
  qb::BookRecord record;
  EXPECT_EQ(qb::ReadBookHeader(qb::FromUtf8(book), record), qb::kBookSound) << book;
  return record;
}

std::vector<qb::PageImage> Pages(const std::string& book) {
  std::vector<qb::PageImage> pages;
  for (const std::int32_t position : Header(book).PageTable) {
    qb::PageImage page;
    EXPECT_EQ(qb::ReadPageImage(qb::FromUtf8(book), page, position), 0);
    pages.push_back(page);
  }
  return pages;
}

TEST(UnpackNames, PagePicturesSortInPageOrder) {
  EXPECT_EQ(PagePictureName(1, 6), "page001.bmp");
  EXPECT_EQ(PagePictureName(42, 999), "page042.bmp");
  EXPECT_EQ(PagePictureName(12, 1200), "page0012.bmp");
  EXPECT_EQ(PagePictureName(32767, 32767), "page32767.bmp");
}

TEST(UnpackNames, FieldsTheEditorWouldChangeAreNoted) {
  qb::BookRecord book;
  book.Author = u"Ann" + std::u16string(21, u' ');
  book.Title = u"Fable" + std::u16string(51, u' ');
  // A rebuild keeps any price: the Editor takes a price it wrote whole.
  book.Price = 2147483647;
  EXPECT_TRUE(RebuildNotes(book).empty());
  book.Author = std::u16string(24, u' ');
  book.Title = std::u16string(56, u' ');
  EXPECT_EQ(RebuildNotes(book).size(), 2u);
}

TEST(UnpackNames, FreeTextsARebuildChangesAreNoted) {
  qb::BookRecord book;
  book.Comment = u"one\r\ntwo";
  book.Url = u"https://q.example/";
  book.Mail = u"a@q.example";
  EXPECT_TRUE(FreeTextNotes(book, book).empty());
  qb::BookRecord rebuilt = book;
  rebuilt.Url = u"https://q.example/x";
  rebuilt.Comment = u"one";
  const auto notes = FreeTextNotes(book, rebuilt);
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_NE(notes[0].find("comment"), std::string::npos);
  EXPECT_NE(notes[1].find("home page"), std::string::npos);
}

class QbbtoolUnpack : public ::testing::Test {
 protected:
  std::string MakeBook(const std::string& name, int pages) {
    const std::string book = dir_ / name;
    Args args = {
        book,  "--author",  "作者さん",         "--title", "ふしぎな 本",        "--password", "pass",       "--price",
        "980", "--comment", "一行目\r\n二行目", "--url",   "https://q.example/", "--mail",     "a@q.example"};
    for (int i = 1; i <= pages; ++i) {
      args.push_back(NoisyPicture(dir_, name + std::to_string(i) + ".bmp", 7 + i * 3, 5 + i, i));
    }
    std::string err;
    EXPECT_EQ(Command(RunMake, args, &err), kExitOk) << err;
    return book;
  }

  Scratch dir_;
  Scratch program_;  // where "qbbtool build" keeps its settings
};

TEST_F(QbbtoolUnpack, BuildingTheDefinitionGivesTheSameBook) {
  const std::string book = MakeBook("fable.qbb", 3);
  const std::string folder = dir_ / "pages";
  std::string err;
  ASSERT_EQ(Command(RunUnpack, {book, folder}, &err), kExitOk) << err;
  EXPECT_TRUE(err.empty()) << err;
  EXPECT_EQ(Names(folder), (std::vector<std::string>{"fable.qbd", "page001.bmp", "page002.bmp", "page003.bmp"}));

  // The definition names the pictures by absolute paths and holds every
  // field, the password included.
  const auto definition = qb::editor::LoadDefinitionFile(qb::FromUtf8(folder + "/fable.qbd"));
  ASSERT_EQ(definition.images.size(), 3u);
  EXPECT_EQ(definition.images[1], qb::FromUtf8(folder + "/page002.bmp"));
  EXPECT_EQ(definition.book.Password, u"pass    ");

  // Built from elsewhere, so relative paths would not be found.
  const std::string rebuilt = program_ / "again.qbb";
  ASSERT_EQ(RunBuild({folder + "/fable.qbd", rebuilt}, qb::FromPath(program_.path)), kExitOk);
  qb::BookRecord original = Header(book);
  qb::BookRecord copy = Header(rebuilt);
  EXPECT_EQ(copy.Comment, u"一行目\r\n二行目");
  original.Key = copy.Key = 0;
  original.Check = copy.Check = 0;
  EXPECT_EQ(copy, original);
  const auto originalPages = Pages(book);
  const auto copiedPages = Pages(rebuilt);
  ASSERT_EQ(copiedPages.size(), 3u);
  for (std::size_t i = 0; i < originalPages.size(); ++i) {
    EXPECT_EQ(copiedPages[i].Width, originalPages[i].Width);
    EXPECT_EQ(copiedPages[i].Height, originalPages[i].Height);
    EXPECT_EQ(copiedPages[i].Pixels, originalPages[i].Pixels) << "page " << i + 1;
  }
}

TEST_F(QbbtoolUnpack, RefusedBooksWriteNothing) {
  const std::string notBook = dir_ / "x.qbb";
  std::ofstream(notBook) << "hello, not a book at all";
  // Pages 1 and 2 are written before page 3 turns out to hold no picture:
  // its record claims 0 x 0 pixels, which fits the file, so the header reads.
  const std::string cut = MakeBook("cut.qbb", 3);
  std::string bytes = Slurp(cut);
  const auto page3 = static_cast<std::size_t>(Header(cut).PageTable[2] - 1);
  bytes.replace(page3, 4, std::string(4, '\0'));
  std::ofstream(cut, std::ios::binary | std::ios::trunc) << bytes;
  const std::string truncated = dir_ / "truncated.qbb";
  std::ofstream(truncated, std::ios::binary) << bytes.substr(0, bytes.size() / 2);

  const std::vector<std::string> before = Names(dir_.path);
  std::string err;
  EXPECT_EQ(Command(RunUnpack, {notBook, dir_ / "out"}, &err), kExitNotABook);
  EXPECT_EQ(Command(RunUnpack, {cut, dir_ / "out"}, &err), kExitDamaged);
  EXPECT_NE(err.find("page 3"), std::string::npos) << err;
  EXPECT_EQ(Command(RunUnpack, {truncated, dir_ / "out"}), kExitDamaged);
  EXPECT_EQ(Command(RunUnpack, {dir_ / "missing.qbb", dir_ / "out"}), kExitDamaged);
  // Neither the folder nor a half-filled staging folder beside it remains.
  EXPECT_EQ(Names(dir_.path), before);

  fs::create_directory(dir_ / "empty");
  EXPECT_EQ(Command(RunUnpack, {cut, dir_ / "empty"}), kExitDamaged);
  EXPECT_TRUE(fs::is_empty(dir_ / "empty"));
}

TEST_F(QbbtoolUnpack, AFolderWithFilesIsLeftAloneUnlessForced) {
  const std::string book = MakeBook("fable.qbb", 2);
  const std::string folder = dir_ / "work";
  fs::create_directory(folder);
  std::ofstream(folder + "/page001.bmp") << "the author's own drawing";
  std::ofstream(folder + "/notes.txt") << "notes";
  fs::create_directory(folder + "/drafts");
  std::ofstream(folder + "/drafts/a.txt") << "draft";

  std::string err;
  EXPECT_EQ(Command(RunUnpack, {book, folder}, &err), kExitFolderInUse);
  EXPECT_NE(err.find("--force"), std::string::npos) << err;
  EXPECT_EQ(Slurp(folder + "/page001.bmp"), "the author's own drawing");
  EXPECT_EQ(Names(folder), (std::vector<std::string>{"drafts", "notes.txt", "page001.bmp"}));

  ASSERT_EQ(Command(RunUnpack, {"--force", book, folder}), kExitOk);
  EXPECT_EQ(Names(folder),
            (std::vector<std::string>{"drafts", "fable.qbd", "notes.txt", "page001.bmp", "page002.bmp"}));
  EXPECT_EQ(Slurp(folder + "/notes.txt"), "notes");
  EXPECT_EQ(Slurp(folder + "/drafts/a.txt"), "draft");
  EXPECT_EQ(QImage(QString::fromStdString(folder + "/page001.bmp")).size(), QSize(10, 6));

  std::ofstream(dir_ / "plain") << "a file";
  EXPECT_EQ(Command(RunUnpack, {"--force", book, dir_ / "plain"}), kExitFolderInUse);
  EXPECT_EQ(Slurp(dir_ / "plain"), "a file");
}

TEST_F(QbbtoolUnpack, AnExistingFolderKeepsItsPermissionsAndLinkedPlace) {
  const std::string book = MakeBook("fable.qbb", 1);
  const fs::path folder = dir_ / "mine";
  fs::create_directory(folder);
  fs::permissions(folder, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
  fs::create_directory_symlink(folder, dir_ / "link");
  struct stat before {};
  ASSERT_EQ(::stat(folder.c_str(), &before), 0);

  ASSERT_EQ(Command(RunUnpack, {book, dir_ / "link"}), kExitOk);
  EXPECT_TRUE(fs::is_symlink(dir_ / "link"));
  struct stat after {};
  ASSERT_EQ(::stat(folder.c_str(), &after), 0);
  EXPECT_EQ(after.st_mode, before.st_mode);
  EXPECT_EQ(Names(folder), (std::vector<std::string>{"fable.qbd", "page001.bmp"}));
}

// Killed at any moment, unpack --force leaves the old set or the new one:
// never some pages of each, nor its temporary files.
TEST_F(QbbtoolUnpack, AKillLeavesTheOldSetOrTheNewOne) {
  constexpr int kPages = 60;
  const auto bookOf = [&](const std::string& name, int width) {
    Args args = {dir_ / name, "--author", "a", "--title", "t"};
    args.insert(args.end(), kPages, NoisyPicture(dir_, name + ".bmp", width, 1, width));
    EXPECT_EQ(Command(RunMake, args), kExitOk);
    return dir_ / name;
  };
  const std::string oldBook = bookOf("old.qbb", 1);
  const std::string newBook = bookOf("new.qbb", 2);
  const fs::path folder = dir_ / "pages";
  const auto unpackInChild = [&](int killAfterMicroseconds) {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(RunUnpack({"--force", newBook, folder.string()}));
    if (killAfterMicroseconds >= 0) {
      ::usleep(static_cast<useconds_t>(killAfterMicroseconds));
      ::kill(child, SIGKILL);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
  };
  ASSERT_EQ(Command(RunUnpack, {oldBook, folder.string()}), kExitOk);
  const auto started = std::chrono::steady_clock::now();
  unpackInChild(-1);
  const auto run = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - started);
  ASSERT_TRUE(fs::exists(folder / "new.qbd"));

  for (int attempt = 0; attempt < 16; ++attempt) {
    fs::remove_all(folder);
    ASSERT_EQ(Command(RunUnpack, {oldBook, folder.string()}), kExitOk);
    unpackInChild(static_cast<int>(run.count() * attempt / 16));
    std::vector<std::string> names = Names(folder);
    const bool renewed = fs::exists(folder / "new.qbd");
    ASSERT_EQ(names.size(), kPages + (renewed ? 2u : 1u)) << "attempt " << attempt;
    for (int page = 1; page <= kPages; ++page) {
      const QImage picture(QString::fromStdString((folder / PagePictureName(page, kPages)).string()));
      ASSERT_EQ(picture.width(), renewed ? 2 : 1) << "attempt " << attempt << ", page " << page;
    }
  }
}

TEST_F(QbbtoolUnpack, FreeTextsADefinitionFileCannotKeepAreNoted) {
  const std::string book = dir_ / "spaced.qbb";
  ASSERT_EQ(Command(RunMake, {book, "--author", "A", "--url", " https://q.example/ ", "--comment", " indented",
                              NoisyPicture(dir_, "p.bmp", 4, 4, 9)}),
            kExitOk);
  std::string err;
  ASSERT_EQ(Command(RunUnpack, {book, dir_ / "out"}, &err), kExitOk) << err;
  EXPECT_NE(err.find("the home page has surrounding blanks"), std::string::npos) << err;
  EXPECT_NE(err.find("the comment has surrounding blanks or line breaks"), std::string::npos) << err;
  EXPECT_EQ(err.find("mail address"), std::string::npos) << err;
}

TEST_F(QbbtoolUnpack, NewFoldersAreCreatedAndBlankFieldsNoted) {
  const std::string book = dir_ / "blank.qbb";
  ASSERT_EQ(Command(RunMake, {book, "--author", "x", "--price", "123456", NoisyPicture(dir_, "p.bmp", 4, 4, 9)}),
            kExitOk);
  // make binds no blank author, but books from elsewhere may have one.
  std::fstream(book, std::ios::in | std::ios::out | std::ios::binary).seekp(9).put(' ');
  std::string err;
  ASSERT_EQ(Command(RunUnpack, {book, dir_ / "a/b/c/"}, &err), kExitOk) << err;
  EXPECT_EQ(Names(dir_ / "a/b/c"), (std::vector<std::string>{"blank.qbd", "page001.bmp"}));
  EXPECT_NE(err.find("author is blank"), std::string::npos) << err;
  EXPECT_EQ(err.find("123456"), std::string::npos) << err;
  EXPECT_EQ(Command(RunUnpack, {book}), kExitUsage);
  EXPECT_EQ(Command(RunUnpack, {"--bogus", book, dir_ / "d"}), kExitUsage);
  EXPECT_FALSE(fs::exists(dir_ / "d"));
}

}  // namespace
}  // namespace qbbtool
