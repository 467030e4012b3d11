// A program installed under /usr keeps its settings in the user's folder,
// even when run by the administrator, who could write beside it.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "common/settings.h"
#include "common/system_program_folder.h"
#include "common/utf8.h"

namespace {

TEST(SystemProgramFolder, UsrAndBelowOnly) {
  for (const char16_t* folder : {u"/usr", u"/usr/bin", u"/usr/local/bin", u"/usr/lib/quillberry"}) {
    EXPECT_TRUE(qb::IsSystemProgramFolder(folder)) << qb::ToUtf8(folder);
  }
  for (const char16_t* folder :
       {u"/", u"", u"/usrx/bin", u"/opt/quillberry", u"/home/taro/usr/bin", u"usr/bin", u"/home/taro/.local/bin"}) {
    EXPECT_FALSE(qb::IsSystemProgramFolder(folder)) << qb::ToUtf8(folder);
  }
}

TEST(SystemProgramFolder, SettingsOfAProgramInUsrGoToTheUserFolder) {
  std::string pattern = (std::filesystem::temp_directory_path() / "qb-config-XXXXXX").string();
  const std::filesystem::path config = ::mkdtemp(pattern.data());
  const char* previous = std::getenv("XDG_CONFIG_HOME");
  const std::string saved = previous != nullptr ? previous : "";
  ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  // Whoever runs the test, writable or not, /usr/bin never takes the file.
  EXPECT_EQ(qb::SettingsFilePath(u"/usr/bin"), qb::FromPath(config / "Quillberry" / "Quilly.Ini"));
  EXPECT_FALSE(std::filesystem::exists("/usr/bin/Quilly.Ini"));
  if (previous != nullptr) {
    ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  } else {
    ::unsetenv("XDG_CONFIG_HOME");
  }
  std::filesystem::remove_all(config);
}

}  // namespace
