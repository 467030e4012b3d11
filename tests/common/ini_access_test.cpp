// Reading and writing settings values in files (common/ini_access.cpp),
// including two processes writing one file at the same time.

#include "common/ini_access.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "common/ini_document.h"
#include "common/ini_file.h"
#include "common/utf8.h"
#include "ini_test_files.h"

namespace {

using qb::GetIniString;
using qb::PutIniString;
using qb::testing::ListFolder;
using qb::testing::ReadBytes;
using qb::testing::TempFolder;

class IniAccess : public ::testing::Test {
 protected:
  TempFolder folder_;
  std::filesystem::path file_ = folder_ / "test.ini";
  std::u16string path_ = qb::FromPath(file_);
};

TEST_F(IniAccess, MissingFileGivesTheDefaultAndWritingCreatesIt) {
  EXPECT_EQ(GetIniString(u"System", u"LastFolder", u"/default", path_), u"/default");
  EXPECT_NE(PutIniString(u"System", u"LastFolder", u"/books", path_), 0);
  EXPECT_EQ(ReadBytes(file_), "[System]\r\nLastFolder=/books\r\n");
  EXPECT_EQ(GetIniString(u"system", u"lastfolder", u"/default", path_), u"/books");
}

TEST_F(IniAccess, EmptyValueReadsEmptyNotTheDefault) {
  EXPECT_NE(PutIniString(u"System", u"LastFolder", u"", path_), 0);
  EXPECT_EQ(ReadBytes(file_), "[System]\r\nLastFolder=\r\n");
  EXPECT_EQ(GetIniString(u"System", u"LastFolder", u"/default", path_), u"");
  EXPECT_EQ(GetIniString(u"System", u"Other", u"/default", path_), u"/default");
}

TEST_F(IniAccess, JapaneseNamesAndValuesAreCp932OnDisk) {
  EXPECT_NE(PutIniString(u"System", u"作者", u"山田", path_), 0);
  EXPECT_NE(PutIniString(u"Image", u"1", u"/本/表紙.bmp", path_), 0);
  EXPECT_EQ(ReadBytes(file_),
            "[System]\r\n\x8D\xEC\x8E\xD2=\x8E\x52\x93\x63\r\n"
            "[Image]\r\n1=/\x96\x7B/\x95\x5C\x8E\x86.bmp\r\n");
  EXPECT_EQ(GetIniString(u"System", u"作者", u"＊", path_), u"山田");
  EXPECT_EQ(GetIniString(u"Image", u"1", u"", path_), u"/本/表紙.bmp");
}

TEST_F(IniAccess, LongValuesReadBackWhole) {
  const std::u16string japanese(150, u'あ');  // 300 bytes in code page 932
  const std::u16string ascii(1000, u'c');
  EXPECT_NE(PutIniString(u"System", u"コメント", japanese, path_), 0);
  EXPECT_NE(PutIniString(u"System", u"Long", ascii, path_), 0);
  EXPECT_EQ(GetIniString(u"System", u"コメント", u"", path_), japanese);
  EXPECT_EQ(GetIniString(u"System", u"Long", u"", path_), ascii);
}

TEST_F(IniAccess, TextCodePage932CannotHoldTurnsTheFileIntoUtf8) {
  EXPECT_NE(PutIniString(u"System", u"作者", u"山田", path_), 0);
  EXPECT_NE(PutIniString(u"System", u"LastFolder", u"/books", path_), 0);
  // A best-fit look-alike (ü as u) and a missing character ("?") would both
  // store another folder than the one chosen.
  EXPECT_NE(PutIniString(u"System", u"LastFolder", u"/home/Müller/한글", path_), 0);
  EXPECT_EQ(ReadBytes(file_),
            "\xEF\xBB\xBF[System]\r\n\xE4\xBD\x9C\xE8\x80\x85=\xE5\xB1\xB1\xE7\x94\xB0\r\n"
            "LastFolder=/home/M\xC3\xBCller/\xED\x95\x9C\xEA\xB8\x80\r\n");
  EXPECT_EQ(GetIniString(u"System", u"LastFolder", u"", path_), u"/home/Müller/한글");
  EXPECT_EQ(GetIniString(u"System", u"作者", u"", path_), u"山田");

  // Once UTF-8, the file stays so.
  EXPECT_NE(PutIniString(u"Image", u"1", u"/本.bmp", path_), 0);
  EXPECT_TRUE(
      ReadBytes(file_).ends_with("LastFolder=/home/M\xC3\xBCller/\xED\x95\x9C\xEA\xB8\x80\r\n"
                                 "[Image]\r\n1=/\xE6\x9C\xAC.bmp\r\n"));
  EXPECT_EQ(GetIniString(u"Image", u"1", u"", path_), u"/本.bmp");
}

TEST_F(IniAccess, FileWithTheLongestNameCanBeUpdated) {
  const auto file = folder_ / (std::string(251, 'n') + ".ini");
  const auto path = qb::FromPath(file);
  EXPECT_NE(PutIniString(u"S", u"k", u"1", path), 0);
  EXPECT_NE(PutIniString(u"S", u"k", u"2", path), 0);
  EXPECT_EQ(GetIniString(u"S", u"k", u"", path), u"2");
  EXPECT_EQ(ListFolder(folder_.path()), file.filename().string() + "\n");
}

TEST_F(IniAccess, NamesThatCannotBeWrittenFailAndLeaveNoFile) {
  EXPECT_EQ(PutIniString(u"", u"k", u"v", path_), 0);
  EXPECT_EQ(PutIniString(u"S", u"a=b", u"v", path_), 0);
  EXPECT_EQ(PutIniString(u"S]", u"k", u"v", path_), 0);
  EXPECT_EQ(ListFolder(folder_.path()), "");
}

TEST_F(IniAccess, FileInAMissingFolderFails) {
  const auto path = qb::FromPath(folder_ / "missing" / "test.ini");
  EXPECT_EQ(PutIniString(u"S", u"k", u"v", path), 0);
  EXPECT_EQ(GetIniString(u"S", u"k", u"default", path), u"default");
}

TEST_F(IniAccess, WriteIniStringSaysWhyAWriteFailed) {
  const qb::Outcome badSection = qb::WriteIniString(u"S]", u"k", u"v", path_);
  EXPECT_FALSE(badSection);
  EXPECT_EQ(badSection.why(), "\"S]\" cannot be a section name");
  const qb::Outcome badKey = qb::WriteIniString(u"S", u"価格=1", u"v", path_);
  EXPECT_FALSE(badKey);
  EXPECT_EQ(badKey.why(), "\"価格=1\" cannot be a key name");
  EXPECT_EQ(ListFolder(folder_.path()), "");

  const std::filesystem::path missing = folder_ / "missing" / "test.ini";
  const qb::Outcome unwritable = qb::WriteIniString(u"S", u"k", u"v", qb::FromPath(missing));
  EXPECT_FALSE(unwritable);
  EXPECT_NE(unwritable.why().find("cannot open " + missing.string()), std::string::npos) << unwritable.why();

  const qb::Outcome written = qb::WriteIniString(u"S", u"k", u"v", path_);
  EXPECT_TRUE(written) << written.why();
  EXPECT_EQ(written.why(), "");
  EXPECT_EQ(GetIniString(u"S", u"k", u"default", path_), u"v");
}

std::u16string KeyName(char prefix, int i) { return qb::FromUtf8(prefix + std::to_string(i)); }

TEST(IniConcurrency, TwoProcessesWritingOneFileLoseNoKey) {
  constexpr int kKeysEach = 200;
  TempFolder folder;
  const auto file = folder / "Quilly.Ini";
  const std::u16string path = qb::FromPath(file);

  const auto startWriter = [&](char prefix) {
    const pid_t child = ::fork();
    if (child == 0) {
      int failures = 0;
      for (int i = 0; i < kKeysEach; ++i) {
        if (PutIniString(u"Keys", KeyName(prefix, i), KeyName(prefix, i * 7), path) == 0) ++failures;
      }
      ::_exit(failures == 0 ? 0 : 1);
    }
    return child;
  };
  const pid_t writers[] = {startWriter('a'), startWriter('b')};
  for (const pid_t writer : writers) {
    ASSERT_GT(writer, 0);
    int status = 0;
    ASSERT_EQ(::waitpid(writer, &status, 0), writer);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a writer reported failed writes";
  }

  const std::string content = ReadBytes(file);
  int missing = 0;
  for (const char prefix : {'a', 'b'}) {
    for (int i = 0; i < kKeysEach; ++i) {
      if (qb::FindIniValue(content, u"Keys", KeyName(prefix, i)) != KeyName(prefix, i * 7)) ++missing;
    }
  }
  EXPECT_EQ(missing, 0);
  EXPECT_EQ(std::count(content.begin(), content.end(), '\n'), 2 * kKeysEach + 1) << "one header, one line per key";
  EXPECT_EQ(ListFolder(folder.path()), "Quilly.Ini\n") << "no temporary file may stay behind";
}

}  // namespace

namespace qb {
namespace {

TEST(IniAccessBatch, SameTextAsWritingKeyByKey) {
  char pattern[] = "/tmp/qb-ini-batch-XXXXXX";
  const std::string folder = ::mkdtemp(pattern);
  const std::u16string one = FromUtf8(folder + "/one.ini");
  const std::u16string batch = FromUtf8(folder + "/batch.ini");
  const std::vector<IniEntry> entries = {
      {u"System", u"作者", u"山田"}, {u"Image", u"1", u"/a.bmp"},   {u"system", u"タイトル", u"題"},
      {u"Image", u"2", u"/b.bmp"},   {u"System", u"作者", u"田中"},
  };
  for (const auto& e : entries) ASSERT_NE(PutIniString(e.section, e.key, e.value, one), 0);
  ASSERT_NE(PutIniStrings(entries, batch), 0);
  const auto a = ReadIniFile(one);
  const auto b = ReadIniFile(batch);
  ASSERT_TRUE(a && b);
  EXPECT_EQ(*a, *b);
  EXPECT_EQ(GetIniString(u"System", u"作者", u"", batch), u"田中");
  // A name that cannot be written is skipped and reported; the rest applies.
  EXPECT_EQ(PutIniStrings({{u"", u"k", u"v"}, {u"S", u"k", u"v"}}, batch), 0);
  EXPECT_EQ(GetIniString(u"S", u"k", u"", batch), u"v");
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace qb
