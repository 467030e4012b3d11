// Temporary file names beside a target (common/hidden_file_name.cpp).

#include "common/hidden_file_name.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using qb::HiddenNameBeside;

TEST(HiddenNameBeside, HiddenInTheTargetsFolder) {
  EXPECT_EQ(HiddenNameBeside("/books/fable.qbb", ".XXXXXX"), "/books/.fable.qbb.XXXXXX");
  EXPECT_EQ(HiddenNameBeside("fable.qbb", ".tmp"), ".fable.qbb.tmp");
}

TEST(HiddenNameBeside, LongNamesAreShortenedToTheFileNameLimitBetweenCharacters) {
  const std::string ascii(255, 'a');
  const std::string name = HiddenNameBeside("/b/" + ascii, ".XXXXXX").filename().string();
  EXPECT_EQ(name, "." + std::string(247, 'a') + ".XXXXXX");

  // 85 three-byte characters: the cut falls inside one and backs off to its start.
  std::string japanese;
  for (int i = 0; i < 85; ++i) japanese += "\xE3\x81\x82";  // あ
  const std::string cut = HiddenNameBeside("/b/" + japanese, ".XXXXXX").filename().string();
  EXPECT_EQ(cut, "." + japanese.substr(0, 246) + ".XXXXXX");
  EXPECT_LE(cut.size(), 255u);
}

}  // namespace
