#include "image/screen_fit.h"

#include <gtest/gtest.h>

namespace qb {
namespace {

constexpr int kW = 1920;
constexpr int kH = 1080;

TEST(FitPageToScreen, SmallerPagesGrowByTheLargestWholeFactorAndAreCentred) {
  // 640 x 480: 3 x 640 would fit the width, but 3 x 480 not the height.
  EXPECT_EQ(FitPageToScreen(640, 480, kW, kH), (DrawRect{320, 60, 1280, 960}));
  EXPECT_EQ(FitPageToScreen(320, 240, kW, kH), (DrawRect{320, 60, 1280, 960}));
  EXPECT_EQ(FitPageToScreen(400, 300, kW, kH), (DrawRect{360, 90, 1200, 900}));
  EXPECT_EQ(FitPageToScreen(100, 500, kW, kH), (DrawRect{860, 40, 200, 1000}));
  // Too large for twice its size: shown as it is.
  EXPECT_EQ(FitPageToScreen(1000, 700, kW, kH), (DrawRect{460, 190, 1000, 700}));
  EXPECT_EQ(FitPageToScreen(1, 1, kW, kH), (DrawRect{420, 0, 1080, 1080}));
}

TEST(FitPageToScreen, PagesTouchingTheScreenAreShownAsTheyAre) {
  EXPECT_EQ(FitPageToScreen(1920, 1080, kW, kH), (DrawRect{0, 0, 1920, 1080}));
  EXPECT_EQ(FitPageToScreen(1920, 600, kW, kH), (DrawRect{0, 240, 1920, 600}));
  EXPECT_EQ(FitPageToScreen(800, 1080, kW, kH), (DrawRect{560, 0, 800, 1080}));
}

TEST(FitPageToScreen, LargerPagesShrinkToFitKeepingTheirProportions) {
  // Higher than the screen's shape: fitted to the height.
  EXPECT_EQ(FitPageToScreen(2400, 1800, kW, kH), (DrawRect{240, 0, 1440, 1080}));
  // Wider: fitted to the width, whichever side was too large.
  EXPECT_EQ(FitPageToScreen(3840, 1000, kW, kH), (DrawRect{0, 290, 1920, 500}));
  EXPECT_EQ(FitPageToScreen(2000, 500, kW, kH), (DrawRect{0, 300, 1920, 480}));
  EXPECT_EQ(FitPageToScreen(1000, 1200, kW, kH), (DrawRect{510, 0, 900, 1080}));
  EXPECT_EQ(FitPageToScreen(3840, 2160, kW, kH), (DrawRect{0, 0, 1920, 1080}));
  // One pixel too wide: 1080 x 1920 / 1921 = 1079.4, never past the edge.
  EXPECT_EQ(FitPageToScreen(1921, 1080, kW, kH), (DrawRect{0, 0, 1920, 1079}));
  // A sliver keeps at least one row.
  EXPECT_EQ(FitPageToScreen(20000, 1, kW, kH), (DrawRect{0, 539, 1920, 1}));
}

TEST(FitPageToScreen, EmptyPagesAndScreensPlaceNothing) {
  EXPECT_EQ(FitPageToScreen(0, 480, kW, kH), (DrawRect{960, 540, 0, 0}));
  EXPECT_EQ(FitPageToScreen(640, 0, kW, kH), (DrawRect{960, 540, 0, 0}));
  EXPECT_EQ(FitPageToScreen(640, 480, 0, 0), (DrawRect{0, 0, 0, 0}));
}

}  // namespace
}  // namespace qb
