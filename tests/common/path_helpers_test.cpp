// Path rules (common/path_helpers.cpp) with "/" as the separator.

#include "common/path_helpers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "ini_test_files.h"

namespace {

namespace fs = std::filesystem;
using qb::AddPathSeparator;
using qb::FolderOfPath;
using qb::FromPath;
using qb::testing::TempFolder;
using qb::testing::WriteBytes;

TEST(PathHelpers, AddPathSeparator) {
  EXPECT_EQ(AddPathSeparator(u"/books"), u"/books/");
  EXPECT_EQ(AddPathSeparator(u"/books/"), u"/books/");
  EXPECT_EQ(AddPathSeparator(u"/"), u"/");
  EXPECT_EQ(AddPathSeparator(u""), u"/");
}

TEST(PathHelpers, FolderOfAnExistingFolderIsTheFolderAsGiven) {
  TempFolder folder;
  const std::u16string path = folder.text();
  EXPECT_EQ(FolderOfPath(path), path);
  EXPECT_EQ(FolderOfPath(path + u"/"), path + u"/");
  EXPECT_EQ(FolderOfPath(u"/"), u"/");
}

TEST(PathHelpers, FolderOfAnExistingFileIsItsFolderWithoutSeparator) {
  TempFolder folder;
  fs::create_directory(folder / "本");
  WriteBytes(folder / "本" / "x.qbb", "");
  EXPECT_EQ(FolderOfPath(FromPath(folder / "本" / "x.qbb")), FromPath(folder / "本"));
}

// Any file directly in the root folder, if the system has one.
std::optional<fs::path> FileInRoot() {
  std::error_code error;
  for (const auto& entry : fs::directory_iterator("/", error)) {
    if (entry.is_regular_file(error)) return entry.path();
  }
  return std::nullopt;
}

TEST(PathHelpers, FolderOfAFileInTheRootIsTheRoot) {
  const auto file = FileInRoot();
  if (!file) GTEST_SKIP() << "no file in the root folder";
  EXPECT_EQ(FolderOfPath(FromPath(*file)), u"/");
}

TEST(PathHelpers, FolderOfAMissingPathIsEmpty) {
  TempFolder folder;
  EXPECT_EQ(FolderOfPath(FromPath(folder / "missing.qbb")), u"");
  EXPECT_EQ(FolderOfPath(FromPath(folder / "missing" / "x.qbb")), u"");
  EXPECT_EQ(FolderOfPath(u""), u"");
  WriteBytes(folder / "file", "");
  EXPECT_EQ(FolderOfPath(FromPath(folder / "file" / "x.qbb")), u"") << "a file is no folder";
}

TEST(PathHelpers, ProgramFolderHoldsTheRunningProgram) {
  const std::u16string folder = qb::ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_TRUE(folder == u"/" || folder.back() != u'/');
  EXPECT_TRUE(fs::is_regular_file(qb::ToPath(folder) / "test_common"));
}

}  // namespace
