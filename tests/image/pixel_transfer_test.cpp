#include "image/pixel_transfer.h"

#include <gtest/gtest.h>

namespace qb {
namespace {

TEST(PictureToPixels, PureRedPixelIsRedByteThenSpareZero) {
  QImage surface(1, 1, QImage::Format_RGB32);
  surface.fill(qRgb(255, 0, 0));
  PixelArray pixels;
  EXPECT_EQ(PictureToPixels(surface, pixels), 1);
  EXPECT_EQ(pixels, (PixelArray{0x00FF0000u, 0}));
}

TEST(PictureToPixels, BottomRowComesFirst) {
  QImage surface(3, 2, QImage::Format_RGB32);
  surface.fill(Qt::black);
  for (int x = 0; x < 3; ++x) surface.setPixel(x, 0, qRgb(255, 255, 255));
  PixelArray pixels;
  ASSERT_EQ(PictureToPixels(surface, pixels), 6);
  EXPECT_EQ(pixels, (PixelArray{0, 0, 0, 0x00FFFFFFu, 0x00FFFFFFu, 0x00FFFFFFu, 0}));
}

TEST(PictureToPixels, FourthByteIsZeroWhateverTheAlpha) {
  QImage surface(2, 1, QImage::Format_ARGB32);
  surface.setPixel(0, 0, qRgba(0x12, 0x34, 0x56, 0x80));
  surface.setPixel(1, 0, qRgba(0xAB, 0xCD, 0xEF, 0xFF));
  PixelArray pixels;
  ASSERT_EQ(PictureToPixels(surface, pixels), 2);
  EXPECT_EQ(pixels, (PixelArray{0x00123456u, 0x00ABCDEFu, 0}));
}

TEST(PictureToPixels, OtherFormatsAreConverted) {
  QImage surface(2, 2, QImage::Format_RGB888);
  surface.fill(QColor(10, 20, 30));
  surface.setPixel(1, 1, qRgb(1, 2, 3));
  PixelArray pixels;
  ASSERT_EQ(PictureToPixels(surface, pixels), 4);
  EXPECT_EQ(pixels, (PixelArray{0x000A141Eu, 0x00010203u, 0x000A141Eu, 0x000A141Eu, 0}));
}

TEST(PictureToPixels, RefusesEmptySurfacesAndLeavesPixelsAlone) {
  PixelArray pixels{7, 8};
  EXPECT_EQ(PictureToPixels(QImage(), pixels), -1);
  EXPECT_EQ(PictureToPixels(QImage(0, 5, QImage::Format_RGB32), pixels), -1);
  EXPECT_EQ(pixels, (PixelArray{7, 8}));
}

TEST(TransferSizeAllowed, KeepsTheByteCountWithinInt32) {
  EXPECT_TRUE(TransferSizeAllowed(1, 1));
  EXPECT_TRUE(TransferSizeAllowed(32767, 16384));   // 2,147,418,112 bytes
  EXPECT_FALSE(TransferSizeAllowed(32767, 16385));  // 2,147,549,180 bytes
  EXPECT_FALSE(TransferSizeAllowed(32767, 32767));
  EXPECT_FALSE(TransferSizeAllowed(0, 10));
  EXPECT_FALSE(TransferSizeAllowed(10, -1));
}

TEST(PixelsToPicture, RoundTripsThroughPictureToPixels) {
  const PixelArray original{0x00010203u, 0x00FFFFFFu, 0x00000000u, 0x00800040u, 0x00FF0000u, 0x0000FF00u, 0};
  QImage surface(3, 2, QImage::Format_RGB32);
  ASSERT_EQ(PixelsToPicture(surface, original), 0);
  EXPECT_EQ(surface.size(), QSize(3, 2));
  EXPECT_EQ(surface.pixel(0, 1), qRgb(0x01, 0x02, 0x03));  // element 0 is bottom-left
  EXPECT_EQ(surface.pixel(0, 0), qRgb(0x80, 0x00, 0x40));  // element 3 is top-left
  PixelArray back;
  ASSERT_EQ(PictureToPixels(surface, back), 6);
  EXPECT_EQ(back, original);
}

TEST(PixelsToPicture, IgnoresTheFourthByteAndGivesAnOpaquePicture) {
  QImage surface(1, 1, QImage::Format_ARGB32);
  ASSERT_EQ(PixelsToPicture(surface, PixelArray{0x7F112233u, 0}), 0);
  EXPECT_EQ(surface.pixel(0, 0), qRgb(0x11, 0x22, 0x33));
  EXPECT_FALSE(surface.hasAlphaChannel());
}

TEST(PixelsToPicture, RefusesTooFewPixelsOrAnEmptySurface) {
  QImage surface(2, 2, QImage::Format_RGB32);
  surface.fill(Qt::green);
  EXPECT_EQ(PixelsToPicture(surface, PixelArray{1, 2, 3}), -1);
  EXPECT_EQ(surface.pixel(0, 0), qRgb(0, 255, 0));
  QImage empty;
  EXPECT_EQ(PixelsToPicture(empty, PixelArray{1, 2}), -1);
  EXPECT_TRUE(empty.isNull());
}

TEST(PixelsToPicture, AcceptsExactlyWidthTimesHeightElements) {
  QImage surface(2, 1, QImage::Format_RGB32);
  EXPECT_EQ(PixelsToPicture(surface, PixelArray{0x000000FFu, 0x0000FF00u}), 0);
  EXPECT_EQ(surface.pixel(1, 0), qRgb(0, 255, 0));
}

}  // namespace
}  // namespace qb
