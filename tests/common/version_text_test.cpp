#include <gtest/gtest.h>

#include "common/version_text.h"

namespace qb {
namespace {

TEST(VersionText, MinorAndRevisionRunTogether) {
  EXPECT_EQ(VersionNumberText(0, 1, 0), u"0.10");
  EXPECT_EQ(VersionNumberText(1, 0, 2), u"1.02");
  EXPECT_EQ(VersionNumberText(2, 12, 15), u"2.1215");
}

}  // namespace
}  // namespace qb
