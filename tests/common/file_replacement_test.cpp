// Replacing files (common/file_replacement.cpp): exclusive temporary files,
// links and permissions kept, nothing lost or left behind on failure, and
// leftovers of killed writers cleaned up.

#include "common/file_replacement.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <utility>

#include "ini_test_files.h"
#include "support/full_disk.h"

namespace {

namespace fs = std::filesystem;
using qb::testing::ListFolder;
using qb::testing::ReadBytes;
using qb::testing::TempFolder;
using qb::testing::WriteBytes;
using qb::testing::WriteBytesWithPermissions;
using qb::testing::WriteLinkedFile;

mode_t ModeOf(const fs::path& path) {
  struct stat status {};
  ::stat(path.c_str(), &status);
  return status.st_mode & 07777;
}

// A process number that belonged to a process that has ended.
pid_t DeadProcess() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  int status = 0;
  ::waitpid(child, &status, 0);
  return child;
}

TEST(FileReplacement, NewFilesAreCreatedExclusivelyNeverThroughAPlantedName) {
  TempFolder folder;
  const fs::path victim = folder / "private";
  WriteBytes(victim, "secret");
  fs::create_symlink(victim, folder / "planted-link");
  WriteBytes(folder / "planted-file", "someone else's");
  fs::create_symlink(folder / "nowhere", folder / "dangling");
  for (const char* planted : {"planted-link", "planted-file", "dangling"}) {
    SCOPED_TRACE(planted);
    EXPECT_EQ(qb::CreateNewFile(folder / planted), -1);
  }
  EXPECT_FALSE(fs::exists(folder / "nowhere"));
  EXPECT_EQ(ReadBytes(victim), "secret");
  EXPECT_EQ(ReadBytes(folder / "planted-file"), "someone else's");

  const int fd = qb::CreateNewFile(folder / "fresh");
  ASSERT_GE(fd, 0);
  ::close(fd);
}

TEST(FileReplacement, TemporaryNamesAreHiddenUnpredictableAndCarryTheProcess) {
  TempFolder folder;
  qb::FileReplacement first(folder / "book.qbb");
  qb::FileReplacement second(folder / "book.qbb");
  ASSERT_TRUE(first.ok() && second.ok());
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder.path())) names.push_back(entry.path().filename());
  ASSERT_EQ(names.size(), 2u);
  EXPECT_NE(names[0], names[1]);
  for (const std::string& name : names) {
    EXPECT_TRUE(name.starts_with(".book.qbb.")) << name;
    EXPECT_EQ(qb::TemporaryNameOwner(name), ::getpid()) << name;
  }
}

TEST(FileReplacement, TemporaryNameOwnerReadsOnlyNamesOfThatForm) {
  const std::pair<std::string, pid_t> names[] = {
      {".a.qbb.123.abcdEF12.qbpart", 123},
      {qb::TemporaryNameBeside("/x/Quilly.Ini", 42, "ZZZZ9999").filename().string(), 42},
      {"a.qbb.123.abcdEF12.qbpart", 0},   // not hidden
      {".a.qbb.123.abcdEF1.qbpart", 0},   // short token
      {".a.qbb.12x.abcdEF12.qbpart", 0},  // not a number
      {".a.qbb.123.abcdEF12.tmp", 0},
      {".123.abcdEF12.qbpart", 0},  // no name
  };
  for (const auto& [name, owner] : names) {
    SCOPED_TRACE(name);
    EXPECT_EQ(qb::TemporaryNameOwner(name), owner);
  }
}

TEST(FileReplacement, ALinkStaysALinkAndItsFileIsReplaced) {
  TempFolder folder;
  const fs::path target = WriteLinkedFile(folder, "books", "fable.qbb", "link.qbb", "old book");
  ASSERT_TRUE(qb::ReplaceFileContent(folder / "link.qbb", "new book"));
  EXPECT_TRUE(fs::is_symlink(folder / "link.qbb"));
  EXPECT_EQ(ReadBytes(target), "new book");
  EXPECT_EQ(ListFolder(folder / "books"), "fable.qbb\n");
}

TEST(FileReplacement, PermissionsOfAnExistingFileAreKeptANewFileFollowsTheUmask) {
  TempFolder folder;
  const fs::path book = folder / "locked.qbb";
  WriteBytesWithPermissions(book, "old", fs::perms::owner_read | fs::perms::owner_write);
  ASSERT_TRUE(qb::ReplaceFileContent(book, "new"));
  EXPECT_EQ(ModeOf(book), 0600u);

  const mode_t saved = ::umask(027);
  const qb::Outcome written = qb::ReplaceFileContent(folder / "fresh.qbb", "new");
  ::umask(0);
  const qb::Outcome open = qb::ReplaceFileContent(folder / "open.qbb", "new");
  // Whatever the umask, nobody else reads a file half written.
  struct stat temporary {};
  {
    qb::FileReplacement file(folder / "open.qbb");
    EXPECT_EQ(::fstat(file.fd(), &temporary), 0) << file.error();
  }
  ::umask(saved);
  ASSERT_TRUE(written && open);
  EXPECT_EQ(ModeOf(folder / "fresh.qbb"), 0640u);
  EXPECT_EQ(ModeOf(folder / "open.qbb"), 0666u);
  EXPECT_EQ(temporary.st_mode & 07777, 0600u);
}

TEST(FileReplacement, AFullDiskLeavesTheOldFileAsItWasAndNothingBehind) {
  TempFolder folder;
  const fs::path file = folder / "fable.qbb";
  WriteBytes(file, "the old book");
  std::string error;
  {
    qb::testing::FullDisk full;
    const qb::Outcome replaced = qb::ReplaceFileContent(file, std::string(100000, 'x'));
    EXPECT_FALSE(replaced);
    error = replaced.why();
    EXPECT_FALSE(qb::ReplaceFileContent(folder / "new.qbb", std::string(100000, 'x')));
  }
  EXPECT_NE(error.find("fable.qbb"), std::string::npos) << error;
  EXPECT_EQ(ReadBytes(file), "the old book");
  EXPECT_EQ(ListFolder(folder.path()), "fable.qbb\n");
}

TEST(FileReplacement, OnlyRegularFilesAreReplaced) {
  TempFolder folder;
  fs::create_directory(folder / "folder");
  ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
  for (const fs::path& target : {folder / "folder", folder / "pipe", fs::path("/dev/null")}) {
    SCOPED_TRACE(target.string());
    qb::FileReplacement file(target);
    EXPECT_FALSE(file.ok());
    EXPECT_NE(file.error().find("not a regular file"), std::string::npos) << file.error();
    EXPECT_FALSE(file.Write("x"));
    EXPECT_FALSE(file.Commit());
  }
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  EXPECT_TRUE(fs::is_fifo(folder / "pipe"));
  EXPECT_EQ(ListFolder(folder.path()), "folder\npipe\n");
}

TEST(FileReplacement, UncommittedReplacementsChangeNothing) {
  TempFolder folder;
  WriteBytes(folder / "a", "old");
  {
    qb::FileReplacement file(folder / "a");
    ASSERT_TRUE(file.Write("new") && file.Finish());
  }
  EXPECT_EQ(ReadBytes(folder / "a"), "old");
  EXPECT_EQ(ListFolder(folder.path()), "a\n");
}

TEST(FileReplacement, LeftoversOfDeadWritersAreRemovedByTheNextWrite) {
  TempFolder folder;
  const pid_t dead = DeadProcess();
  const std::string deadFile = qb::TemporaryNameBeside(folder / "book.qbb", dead, "abcdEFGH").filename();
  const std::string deadFolder = qb::TemporaryNameBeside(folder / "pages", dead, "abcdEFGH").filename();
  const std::string liveFile = qb::TemporaryNameBeside(folder / "book.qbb", ::getpid(), "abcdEFGH").filename();
  // Another writer that is still at work, in a process of its own.
  int hold[2];
  ASSERT_EQ(::pipe(hold), 0);
  const pid_t other = ::fork();
  if (other == 0) {
    ::close(hold[1]);
    char byte;
    static_cast<void>(::read(hold[0], &byte, 1));
    ::_exit(0);
  }
  ::close(hold[0]);
  const std::string otherFile = qb::TemporaryNameBeside(folder / "tale.qbb", other, "abcdEFGH").filename();
  WriteBytes(folder / otherFile, "also being written");
  WriteBytes(folder / deadFile, std::string(1000, 'x'));
  fs::create_directory(folder / deadFolder);
  WriteBytes(folder / deadFolder / "page001.bmp", "x");
  WriteBytes(folder / liveFile, "being written");
  WriteBytes(folder / ".notes.123.txt", "not ours");

  const qb::Outcome written = qb::ReplaceFileContent(folder / "other.qbd", "x");
  ::close(hold[1]);
  int status = 0;
  ::waitpid(other, &status, 0);
  ASSERT_TRUE(written);
  EXPECT_EQ(ListFolder(folder.path()), liveFile + "\n.notes.123.txt\n" + otherFile + "\nother.qbd\n");
}

}  // namespace
