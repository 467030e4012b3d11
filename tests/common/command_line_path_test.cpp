#include <gtest/gtest.h>

#include "common/command_line_path.h"

namespace qb {
namespace {

TEST(CommandLinePath, WholeLineIsOnePath) {
  EXPECT_EQ(CommandLinePath({}), u"");
  EXPECT_EQ(CommandLinePath({u"/books/a.qbb"}), u"/books/a.qbb");
  EXPECT_EQ(CommandLinePath({u"/my", u"books/a", u"b.qbb"}), u"/my books/a b.qbb");
  EXPECT_EQ(CommandLinePath({u"\"/my books/a.qbb\""}), u"/my books/a.qbb");
  EXPECT_EQ(CommandLinePath({u"\"/my", u"books/a.qbb\""}), u"/my books/a.qbb");
  EXPECT_EQ(CommandLinePath({u"\"/half.qbb"}), u"\"/half.qbb");
}

}  // namespace
}  // namespace qb
