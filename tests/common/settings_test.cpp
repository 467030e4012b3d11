// The shared settings file (common/settings.cpp): where it lies, what each
// program's first run writes, and how the values are read back.

#include "common/settings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "ini_test_files.h"

namespace {

namespace fs = std::filesystem;
using qb::testing::Outcome;
using qb::testing::ReadBytes;
using qb::testing::RunUnprivileged;
using qb::testing::TempFolder;
using qb::testing::WriteBytes;

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    Set(value);
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;
  ~ScopedEnv() { Set(old_); }

 private:
  void Set(const std::optional<std::string>& value) {
    if (value) {
      ::setenv(name_, value->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }

  const char* name_;
  std::optional<std::string> old_;
};

class Settings : public ::testing::Test {
 protected:
  TempFolder program_;
  std::string folder_ = program_.path().string();
  fs::path file_ = program_ / "Quilly.Ini";
};

TEST_F(Settings, ViewerFirstStartCreatesSystemLastFolder) {
  const qb::ViewerSettings settings = qb::LoadViewerSettings(program_.text());
  EXPECT_EQ(settings.settingsPath, qb::FromPath(file_));
  EXPECT_EQ(settings.lastFolder, qb::FromUtf8(folder_ + "/Book"));
  EXPECT_TRUE(qb::SaveViewerSettings(settings));
  EXPECT_EQ(ReadBytes(file_), "[System]\r\nLastFolder=" + folder_ + "/Book\r\n");
}

TEST_F(Settings, EditorFirstRunCreatesUserInfoThenSystem) {
  const qb::EditorSettings settings = qb::LoadEditorSettings(program_.text());
  EXPECT_EQ(settings.gifOption, 1);
  EXPECT_EQ(settings.name, u"");
  EXPECT_EQ(settings.url, u"");
  EXPECT_EQ(settings.mail, u"");
  EXPECT_TRUE(qb::SaveEditorSettings(settings));
  EXPECT_EQ(ReadBytes(file_),
            "[UserInfo]\r\nName=\r\nURL=\r\nMAIL=\r\n[System]\r\nLastFolder=" + folder_ + "/Book\r\n");
}

TEST_F(Settings, AuthorDetailsComeBackAtTheNextStartWithoutPadding) {
  qb::EditorSettings settings = qb::LoadEditorSettings(program_.text());
  settings.name = u"山田太郎" + std::u16string(20, u' ');
  settings.url = u"http://example.com/";
  settings.mail = u"taro@example.com";
  settings.lastFolder = u"/home/taro/本";
  ASSERT_TRUE(qb::SaveEditorSettings(settings));

  const qb::EditorSettings next = qb::LoadEditorSettings(program_.text());
  EXPECT_EQ(next.name, u"山田太郎");
  EXPECT_EQ(next.url, u"http://example.com/");
  EXPECT_EQ(next.mail, u"taro@example.com");
  EXPECT_EQ(next.lastFolder, u"/home/taro/本");
}

TEST_F(Settings, SavingSaysWhyTheFileCannotBeWritten) {
  qb::EditorSettings settings = qb::LoadEditorSettings(program_.text());
  settings.settingsPath = qb::FromPath(program_ / "missing" / "Quilly.Ini");
  const qb::Outcome unwritable = qb::SaveEditorSettings(settings);
  EXPECT_FALSE(unwritable);
  EXPECT_NE(unwritable.why().find((program_ / "missing" / "Quilly.Ini").string()), std::string::npos)
      << unwritable.why();
  qb::ViewerSettings viewer = qb::LoadViewerSettings(program_.text());
  viewer.settingsPath = settings.settingsPath;
  EXPECT_EQ(qb::SaveViewerSettings(viewer).why(), unwritable.why());
}

TEST_F(Settings, BothProgramsShareLastFolderAndKeepEachOthersKeys) {
  WriteBytes(file_, "; mine\r\n[Options]\r\nGIF=0\r\n");
  qb::EditorSettings editor = qb::LoadEditorSettings(program_.text());
  editor.name = u"A";
  ASSERT_TRUE(qb::SaveEditorSettings(editor));

  qb::ViewerSettings viewer = qb::LoadViewerSettings(program_.text());
  viewer.lastFolder = u"/books";
  ASSERT_TRUE(qb::SaveViewerSettings(viewer));

  EXPECT_EQ(qb::LoadEditorSettings(program_.text()).lastFolder, u"/books");
  EXPECT_EQ(ReadBytes(file_),
            "; mine\r\n[Options]\r\nGIF=0\r\n[UserInfo]\r\nName=A\r\nURL=\r\nMAIL=\r\n"
            "[System]\r\nLastFolder=/books\r\n");
}

TEST_F(Settings, EmptyLastFolderReadsEmptyNotTheDefault) {
  WriteBytes(file_, "[System]\r\nLastFolder=\r\n");
  EXPECT_EQ(qb::LoadViewerSettings(program_.text()).lastFolder, u"");
  EXPECT_EQ(qb::LoadEditorSettings(program_.text()).lastFolder, u"");
}

TEST_F(Settings, GifOptionFromTheFile) {
  WriteBytes(file_, "[options]\r\ngif = 0\r\n");
  EXPECT_EQ(qb::LoadEditorSettings(program_.text()).gifOption, 0);
  WriteBytes(file_, "[UserInfo]\r\nName=x\r\n");
  EXPECT_EQ(qb::LoadEditorSettings(program_.text()).gifOption, 1) << "missing Options section";
  WriteBytes(file_, "[Options]\r\nGIF=\r\n");
  EXPECT_EQ(qb::LoadEditorSettings(program_.text()).gifOption, 1) << "empty value";
}

TEST(SettingsGifOption, DecimalIntegersInRangeOthersGiveTheDefault) {
  EXPECT_EQ(qb::ParseGifOption(u"0"), 0);
  EXPECT_EQ(qb::ParseGifOption(u" -5\t"), -5);
  EXPECT_EQ(qb::ParseGifOption(u"+3"), 3);
  EXPECT_EQ(qb::ParseGifOption(u"007"), 7);
  EXPECT_EQ(qb::ParseGifOption(u"32767"), 32767);
  EXPECT_EQ(qb::ParseGifOption(u"-32768"), -32768);
  for (const std::u16string text :
       {u"32768", u"-32769", u"99999999999999999999", u"", u"-", u"abc", u"1.5", u"0x10", u"7 days", u"０"}) {
    EXPECT_EQ(qb::ParseGifOption(text), 1) << qb::ToUtf8(text);
  }
}

TEST(SettingsLocation, WritableProgramFolderHoldsTheFile) {
  TempFolder program;
  EXPECT_TRUE(qb::IsWritableFolder(program.text()));
  EXPECT_EQ(qb::SettingsFilePath(program.text()), qb::FromPath(program / "Quilly.Ini"));
  EXPECT_EQ(qb::SettingsFilePath(u"/", [](const std::u16string&) { return true; }), u"/Quilly.Ini");
  EXPECT_EQ(qb::DefaultLastFolder(u"/"), u"/Book");
  EXPECT_EQ(qb::DefaultLastFolder(u"/opt/quilly"), u"/opt/quilly/Book");
}

TEST(SettingsLocation, ReadOnlyProgramFolderRedirectsToTheUserConfigFolder) {
  TempFolder program;
  TempFolder config;
  const ScopedEnv xdg("XDG_CONFIG_HOME", config.path().string());
  const std::u16string redirected = qb::FromPath(config / "Quillberry" / "Quilly.Ini");

  const auto notWritable = [](const std::u16string&) { return false; };
  EXPECT_EQ(qb::SettingsFilePath(program.text(), notWritable), redirected);
  EXPECT_TRUE(fs::is_directory(config / "Quillberry")) << "the folder is created for the first save";

  // The real probe, on a folder this process cannot write to.
  fs::permissions(program.path(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                      fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
  fs::permissions(config.path(), fs::perms::all);
  const Outcome outcome = RunUnprivileged(
      [&] { return !qb::IsWritableFolder(program.text()) && qb::SettingsFilePath(program.text()) == redirected; });
  if (outcome != Outcome::NoUnprivilegedUser) {
    EXPECT_EQ(outcome, Outcome::Passed);
  }
}

TEST(SettingsLocation, UserConfigFolder) {
  {
    const ScopedEnv xdg("XDG_CONFIG_HOME", "/cfg");
    EXPECT_EQ(qb::UserSettingsFolder(), u"/cfg/Quillberry");
  }
  const ScopedEnv home("HOME", "/home/taro");
  {
    const ScopedEnv xdg("XDG_CONFIG_HOME", std::nullopt);
    EXPECT_EQ(qb::UserSettingsFolder(), u"/home/taro/.config/Quillberry");
  }
  const ScopedEnv xdg("XDG_CONFIG_HOME", "relative/ignored");
  EXPECT_EQ(qb::UserSettingsFolder(), u"/home/taro/.config/Quillberry");
}

}  // namespace
