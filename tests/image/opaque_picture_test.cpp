#include "image/opaque_picture.h"

#include <gtest/gtest.h>

namespace qb {
namespace {

TEST(CompositeOverWhite, BlendsByAlpha) {
  QImage picture(4, 1, QImage::Format_ARGB32);
  picture.setPixel(0, 0, qRgba(10, 20, 30, 255));
  picture.setPixel(1, 0, qRgba(200, 100, 50, 0));
  picture.setPixel(2, 0, qRgba(0, 0, 0, 128));
  picture.setPixel(3, 0, qRgba(255, 0, 0, 64));
  const QImage opaque = CompositeOverWhite(picture);
  EXPECT_EQ(opaque.format(), QImage::Format_RGB32);
  EXPECT_EQ(opaque.pixel(0, 0), qRgb(10, 20, 30));
  EXPECT_EQ(opaque.pixel(1, 0), qRgb(255, 255, 255));
  EXPECT_EQ(opaque.pixel(2, 0), qRgb(127, 127, 127));
  EXPECT_EQ(opaque.pixel(3, 0), qRgb(255, 191, 191));
}

TEST(CompositeOverWhite, HiddenPaletteColoursStayHidden) {
  QImage indexed(2, 1, QImage::Format_Indexed8);
  indexed.setColorTable({qRgba(0, 255, 0, 0), qRgb(0, 0, 255)});
  indexed.setPixel(0, 0, 0);
  indexed.setPixel(1, 0, 1);
  const QImage opaque = CompositeOverWhite(indexed);
  EXPECT_EQ(opaque.pixel(0, 0), qRgb(255, 255, 255));
  EXPECT_EQ(opaque.pixel(1, 0), qRgb(0, 0, 255));
}

TEST(CompositeOverWhite, OpaquePicturesOnlyChangeFormat) {
  QImage picture(1, 1, QImage::Format_RGB888);
  picture.setPixel(0, 0, qRgb(1, 2, 3));
  const QImage opaque = CompositeOverWhite(picture);
  EXPECT_EQ(opaque.format(), QImage::Format_RGB32);
  EXPECT_EQ(opaque.pixel(0, 0), qRgb(1, 2, 3));
}

}  // namespace
}  // namespace qb
