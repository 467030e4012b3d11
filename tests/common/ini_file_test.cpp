// Whole-file updates of INI files (common/ini_file.cpp): the file is replaced
// atomically, keeps its permissions and links, and a failed update leaves it
// and its folder as they were.

#include "common/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "ini_test_files.h"

namespace {

namespace fs = std::filesystem;
using qb::testing::ListFolder;
using qb::testing::Outcome;
using qb::testing::ReadBytes;
using qb::testing::RunUnprivileged;
using qb::testing::TempFolder;
using qb::testing::WriteBytes;
using qb::testing::WriteBytesWithPermissions;
using qb::testing::WriteLinkedFile;

auto Append(const std::string& tail) {
  return [tail](std::string_view content) { return std::string(content) + tail; };
}

TEST(IniFile, MissingFileReadsAsNothingAndAnUpdateCreatesIt) {
  TempFolder folder;
  const auto path = qb::FromPath(folder / "a.ini");
  EXPECT_EQ(qb::ReadIniFile(path), std::nullopt);
  ASSERT_TRUE(qb::UpdateIniFile(path, Append("x")));
  ASSERT_TRUE(qb::UpdateIniFile(path, Append("y")));
  EXPECT_EQ(qb::ReadIniFile(path), "xy");
  EXPECT_EQ(ListFolder(folder.path()), "a.ini\n") << "no temporary file may stay behind";
}

TEST(IniFile, UpdateKeepsPermissions) {
  TempFolder folder;
  const fs::path file = folder / "a.ini";
  const fs::perms shared = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  WriteBytesWithPermissions(file, "old", shared);
  ASSERT_TRUE(qb::UpdateIniFile(qb::FromPath(file), Append("+")));
  EXPECT_EQ(ReadBytes(file), "old+");
  EXPECT_EQ(fs::status(file).permissions(), shared);
}

TEST(IniFile, UpdateThroughASymbolicLinkUpdatesItsTarget) {
  TempFolder folder;
  const fs::path target = WriteLinkedFile(folder, "real", "a.ini", "link.ini", "old");
  ASSERT_TRUE(qb::UpdateIniFile(qb::FromPath(folder / "link.ini"), Append("+")));
  EXPECT_TRUE(fs::is_symlink(folder / "link.ini"));
  EXPECT_EQ(ReadBytes(target), "old+");
  EXPECT_EQ(ListFolder(folder / "real"), "a.ini\n");
}

TEST(IniFile, UnchangedContentIsNotRewritten) {
  TempFolder folder;
  const fs::path file = folder / "a.ini";
  WriteBytes(file, "same");
  struct stat before {};
  struct stat after {};
  ASSERT_EQ(::stat(file.c_str(), &before), 0);
  ASSERT_TRUE(qb::UpdateIniFile(qb::FromPath(file), Append("")));
  ASSERT_EQ(::stat(file.c_str(), &after), 0);
  EXPECT_EQ(before.st_ino, after.st_ino);
}

TEST(IniFile, MissingFolderFailsAndCreatesNothing) {
  TempFolder folder;
  EXPECT_FALSE(qb::UpdateIniFile(qb::FromPath(folder / "missing" / "a.ini"), Append("x")));
  EXPECT_EQ(ListFolder(folder.path()), "");
}

TEST(IniFile, AFailureNamesTheFileAndWhy) {
  TempFolder folder;
  const fs::path file = folder / "missing" / "a.ini";
  const qb::Outcome updated = qb::UpdateIniFile(qb::FromPath(file), Append("x"));
  EXPECT_FALSE(updated);
  EXPECT_EQ(updated.why(), "cannot open " + file.string() + ": No such file or directory");
  const qb::Outcome unnamed = qb::UpdateIniFile(u"", Append("x"));
  EXPECT_FALSE(unnamed);
  EXPECT_EQ(unnamed.why(), "no file is named");
}

TEST(IniFile, ReadOnlyFileOrFolderFailsAndStaysAsItWas) {
  TempFolder folder;
  const fs::path readOnlyFile = folder / "file.ini";
  WriteBytesWithPermissions(readOnlyFile, "old",
                            fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  // A writable file in a folder that takes no new files: the replacement
  // cannot be made, so the update must fail rather than write in place.
  const fs::path lockedFolder = folder / "locked";
  fs::create_directory(lockedFolder);
  WriteBytesWithPermissions(lockedFolder / "file.ini", "old", fs::perms::all);
  fs::permissions(lockedFolder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                    fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);

  const Outcome outcome = RunUnprivileged([&] {
    return !qb::UpdateIniFile(qb::FromPath(readOnlyFile), Append("x")) &&
           !qb::UpdateIniFile(qb::FromPath(lockedFolder / "file.ini"), Append("x"));
  });
  if (outcome == Outcome::NoUnprivilegedUser) GTEST_SKIP() << "cannot become an unprivileged user";
  EXPECT_EQ(outcome, Outcome::Passed);
  EXPECT_EQ(ReadBytes(readOnlyFile), "old");
  EXPECT_EQ(ReadBytes(lockedFolder / "file.ini"), "old");
  EXPECT_EQ(ListFolder(lockedFolder), "file.ini\n");
}

}  // namespace
