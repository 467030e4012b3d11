// Reading whole files (common/regular_file.cpp): only regular files, never
// blocking, never more than asked for.

#include "common/regular_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "common/ini_access.h"
#include "common/settings.h"
#include "common/utf8.h"
#include "ini_test_files.h"

namespace {

namespace fs = std::filesystem;
using qb::testing::TempFolder;
using qb::testing::WriteBytes;

TEST(RegularFile, DevicesFoldersAndPipesAreRefusedAtOnce) {
  TempFolder folder;
  const fs::path fifo = folder / "pipe";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const fs::path& path : {fs::path("/dev/zero"), fifo, folder.path()}) {
    std::string error;
    EXPECT_EQ(qb::ReadRegularFile(path, 1 << 20, &error), std::nullopt) << path;
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
    EXPECT_EQ(qb::OpenRegularFile(path, O_RDWR), -1) << path;
  }
  std::string error;
  EXPECT_EQ(qb::ReadRegularFile(folder / "missing", 10, &error), std::nullopt);
  EXPECT_EQ(errno, ENOENT);
}

TEST(RegularFile, ContentUpToTheLimit) {
  TempFolder folder;
  WriteBytes(folder / "a", "12345");
  EXPECT_EQ(qb::ReadRegularFile(folder / "a", 5), "12345");
  std::string error;
  EXPECT_EQ(qb::ReadRegularFile(folder / "a", 4, &error), std::nullopt);
  EXPECT_NE(error.find("larger than"), std::string::npos) << error;
}

TEST(RegularFile, SettingsOrDefinitionFileThatIsAPipeReadsAsMissingAndIsNotWritten) {
  TempFolder folder;
  const fs::path fifo = folder / "Quilly.Ini";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::u16string path = qb::FromPath(fifo);
  EXPECT_EQ(qb::GetIniString(u"System", u"LastFolder", u"default", path), u"default");
  EXPECT_EQ(qb::PutIniString(u"System", u"LastFolder", u"/x", path), 0);
  const qb::ViewerSettings settings = qb::LoadViewerSettings(folder.text());
  EXPECT_EQ(settings.lastFolder, qb::DefaultLastFolder(folder.text()));
  EXPECT_FALSE(qb::SaveViewerSettings(settings));
  struct stat status {};
  ASSERT_EQ(::lstat(fifo.c_str(), &status), 0);
  EXPECT_TRUE(S_ISFIFO(status.st_mode));
}

}  // namespace
