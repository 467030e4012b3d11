#include <gtest/gtest.h>

#include "viewer/screen_centre.h"

namespace qb::viewer {
namespace {

TEST(ScreenCentre, HalvesTruncateTowardZero) {
  EXPECT_EQ(CentredTopLeft(QRect(0, 0, 1024, 768), QSize(240, 280)), QPoint(392, 244));
  EXPECT_EQ(CentredTopLeft(QRect(0, 0, 1025, 769), QSize(240, 280)), QPoint(392, 244));
  EXPECT_EQ(CentredTopLeft(QRect(1920, 100, 800, 600), QSize(240, 280)), QPoint(2200, 260));
  EXPECT_EQ(CentredTopLeft(QRect(0, 0, 200, 200), QSize(241, 280)), QPoint(-20, -40));
}

}  // namespace
}  // namespace qb::viewer
