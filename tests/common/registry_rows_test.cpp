// The Windows registry rows of both file types: keys, values and order.

#include "common/registry_rows.h"

#include <gtest/gtest.h>

namespace {

using qb::RegistryRow;
using qb::RegistryRowsFor;

TEST(RegistryRows, BookTypeInFolderHasUnquotedProgramAndQuotedArgument) {
  const std::vector<RegistryRow> expected{
      {u"QuillberryBook", u"クイルベリーブック"},
      {u"QuillberryBook\\DefaultIcon", u"C:\\Apps\\Quilly.exe,0"},
      {u"QuillberryBook\\Shell\\open\\command", u"C:\\Apps\\Quilly.exe \"%1\""},
      {u".qbb", u"QuillberryBook"},
  };
  EXPECT_EQ(RegistryRowsFor(qb::BookFileType(), u"C:\\Apps"), expected);
}

TEST(RegistryRows, DataTypePointsAtTheEditor) {
  const std::vector<RegistryRow> expected{
      {u"QuillberryData", u"クイルベリーデータ定義"},
      {u"QuillberryData\\DefaultIcon", u"C:\\Apps\\QuillyEd.exe,0"},
      {u"QuillberryData\\Shell\\open\\command", u"C:\\Apps\\QuillyEd.exe \"%1\""},
      {u".qbd", u"QuillberryData"},
  };
  EXPECT_EQ(RegistryRowsFor(qb::DataFileType(), u"C:\\Apps"), expected);
}

TEST(RegistryRows, DriveRootGetsNoDoubledSeparator) {
  const auto rows = RegistryRowsFor(qb::BookFileType(), u"C:\\");
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[1].value, u"C:\\Quilly.exe,0");
  EXPECT_EQ(rows[2].value, u"C:\\Quilly.exe \"%1\"");
}

TEST(RegistryRows, FolderWithBlanksStaysUnquoted) {
  const auto rows = RegistryRowsFor(qb::BookFileType(), u"C:\\Program Files\\Quillberry");
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[2].value, u"C:\\Program Files\\Quillberry\\Quilly.exe \"%1\"");
}

}  // namespace
