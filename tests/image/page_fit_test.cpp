#include "image/page_fit.h"

#include <gtest/gtest.h>

namespace qb {
namespace {

constexpr int kViewerWidth = 640;
constexpr int kViewerHeight = 480;
constexpr int kPreviewWidth = 325;
constexpr int kPreviewHeight = 221;

TEST(FitPageToView, ViewerView) {
  EXPECT_EQ(FitPageToView(320, 240, kViewerWidth, kViewerHeight), (DrawRect{160, 120, 320, 240}));
  // Exactly the view's width is not strictly smaller, so it is scaled by 1.
  EXPECT_EQ(FitPageToView(640, 300, kViewerWidth, kViewerHeight), (DrawRect{0, 90, 640, 300}));
  EXPECT_EQ(FitPageToView(1280, 960, kViewerWidth, kViewerHeight), (DrawRect{0, 0, 640, 480}));

  // 480 / 900 in single precision is 0.53333336, so 600 x ratio floors to 320.
  EXPECT_EQ(FitPageToView(600, 900, kViewerWidth, kViewerHeight), (DrawRect{160, 0, 320, 480}));
  // 480 / 552 in single precision is a hair below 20 / 23: 19, not 20, wide.
  EXPECT_EQ(FitPageToView(23, 552, kViewerWidth, kViewerHeight), (DrawRect{310, 0, 19, 480}));
  // A wide page fills the width even when it then overflows the height:
  // 640 x (640 / 650) = 630.15, centred 75 pixels above the view's top.
  EXPECT_EQ(FitPageToView(650, 640, kViewerWidth, kViewerHeight), (DrawRect{0, -75, 640, 630}));
  // Exactly the view's height but narrower is no smaller page either: the
  // wide page fills the width, 480 x 1.28 = 614.4.
  EXPECT_EQ(FitPageToView(500, 480, kViewerWidth, kViewerHeight), (DrawRect{0, -67, 640, 614}));
}

TEST(FitPageToView, EditorPreview) {
  EXPECT_EQ(FitPageToView(100, 50, kPreviewWidth, kPreviewHeight), (DrawRect{112, 85, 100, 50}));
  EXPECT_EQ(FitPageToView(400, 300, kPreviewWidth, kPreviewHeight), (DrawRect{0, -11, 325, 243}));
  EXPECT_EQ(FitPageToView(300, 400, kPreviewWidth, kPreviewHeight), (DrawRect{80, 0, 165, 221}));
}

}  // namespace
}  // namespace qb
