#include <gtest/gtest.h>

#include <QImage>

#include "image/view_drawing.h"

namespace qb {
namespace {

QImage Filled(int w, int h, QRgb colour) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

TEST(ViewDrawing, SmallPageIsCentredAtItsOwnSize) {
  QImage view = Filled(325, 221, qRgb(1, 1, 1));
  const QRgb grey = qRgb(192, 192, 192);
  const DrawRect r = DrawPageIntoView(view, Filled(100, 50, qRgb(255, 0, 0)), QColor(grey));
  EXPECT_EQ(r, (DrawRect{112, 85, 100, 50}));
  EXPECT_EQ(view.pixel(112, 85), qRgb(255, 0, 0));
  EXPECT_EQ(view.pixel(211, 134), qRgb(255, 0, 0));
  EXPECT_EQ(view.pixel(111, 85), grey);
  EXPECT_EQ(view.pixel(212, 134), grey);
  EXPECT_EQ(view.pixel(0, 0), grey);
}

TEST(ViewDrawing, WidePageIsStretchedToTheWidthAndClipped) {
  QImage view = Filled(325, 221, qRgb(1, 1, 1));
  QImage page = Filled(400, 300, qRgb(0, 0, 255));
  // Top and bottom rows of the page differ, so the clipping shows.
  for (int x = 0; x < 400; ++x) page.setPixel(x, 0, qRgb(255, 255, 0));
  const DrawRect r = DrawPageIntoView(view, page, Qt::white);
  EXPECT_EQ(r, (DrawRect{0, -11, 325, 243}));
  EXPECT_EQ(view.pixel(0, 0), qRgb(0, 0, 255));  // the first rows fell above the view
  EXPECT_EQ(view.pixel(324, 220), qRgb(0, 0, 255));
}

TEST(ViewDrawing, NoSmoothingBetweenPixels) {
  QImage view = Filled(638, 478, qRgb(0, 0, 0));
  // Wider than high but higher than the view: enlarged to the view's width.
  QImage page(600, 500, QImage::Format_RGB32);
  for (int y = 0; y < 500; ++y) {
    for (int x = 0; x < 600; ++x) page.setPixel(x, y, x % 2 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
  }
  const DrawRect r = DrawPageIntoView(view, page, Qt::white);
  ASSERT_EQ(r.width, 638);
  ASSERT_GT(r.height, 478);
  // Plain stretching keeps only the two source colours, nothing in between.
  for (int x = 0; x < 638; ++x) {
    const QRgb p = view.pixel(x, 239);
    EXPECT_TRUE(p == qRgb(255, 255, 255) || p == qRgb(0, 0, 0)) << x;
  }
}

TEST(PlaceOnScreen, CountsTheScreensOwnPixels) {
  QImage dense(3840, 2160, QImage::Format_RGB32);
  dense.setDevicePixelRatio(2);
  EXPECT_EQ(PlaceOnScreen(640, 480, dense), (DrawRect{640, 120, 2560, 1920}));
  EXPECT_EQ(PlaceOnScreen(4000, 2000, dense), (DrawRect{0, 120, 3840, 1920}));
}

}  // namespace
}  // namespace qb
