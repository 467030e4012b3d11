// Shapes, pens, brushes, clipping and device-context state as they come out
// on the picture. Frames are 100 x 100 units at 96 per inch, so one unit is
// one pixel.
#include "metafile_builder.h"

#include <gtest/gtest.h>

namespace qb::test {
namespace {

constexpr QRgb kRed = qRgb(255, 0, 0);
constexpr QRgb kGreen = qRgb(0, 255, 0);
constexpr QRgb kBlue = qRgb(0, 0, 255);
constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kYellow = qRgb(255, 255, 0);
constexpr uint16_t kSolid = 0;
constexpr uint16_t kNull = 5;  // PS_NULL; BS_NULL is 1
constexpr uint16_t kNullBrush = 1;

MetafileBuilder Frame() { return MetafileBuilder(0, 0, 100, 100); }

TEST(MetafileShapes, RectangleOutlinesAndFillsRightBottomExclusive) {
  const QImage image = RenderForTest(Frame()
                                         .CreatePen(kSolid, 0, kBlue)
                                         .CreateBrush(0, kRed)
                                         .SelectObject(0)
                                         .SelectObject(1)
                                         .Rectangle(10, 10, 30, 30)
                                         .Build());
  EXPECT_TRUE(IsColor(image, 10, 10, kBlue));
  EXPECT_TRUE(IsColor(image, 29, 29, kBlue));
  EXPECT_TRUE(IsColor(image, 30, 30, kWhite));
  EXPECT_TRUE(IsColor(image, 20, 20, kRed));
  EXPECT_TRUE(IsColor(image, 11, 20, kRed));
}

TEST(MetafileShapes, NullPenFillsOnePixelLessLikeGdi) {
  const QImage image = RenderForTest(Frame()
                                         .CreatePen(kNull, 0, kBlue)
                                         .CreateBrush(0, kRed)
                                         .SelectObject(0)
                                         .SelectObject(1)
                                         .Rectangle(10, 10, 30, 30)
                                         .Build());
  EXPECT_TRUE(IsColor(image, 10, 10, kRed));
  EXPECT_TRUE(IsColor(image, 28, 28, kRed));
  EXPECT_TRUE(IsColor(image, 29, 29, kWhite));
}

TEST(MetafileShapes, NullPenAndNullBrushDrawNothing) {
  const QImage image = RenderForTest(Frame()
                                         .CreatePen(kNull, 5, kBlue)
                                         .CreateBrush(kNullBrush, kRed)
                                         .SelectObject(0)
                                         .SelectObject(1)
                                         .Rectangle(10, 10, 90, 90)
                                         .Ellipse(10, 10, 90, 90)
                                         .MoveTo(0, 0)
                                         .LineTo(99, 99)
                                         .Build());
  EXPECT_EQ(DarkPixels(image, image.rect()), 0);
  EXPECT_TRUE(IsColor(image, 50, 50, kWhite));
}

TEST(MetafileShapes, EllipseFillsItsInteriorOnly) {
  const QImage image = RenderForTest(Frame().CreateBrush(0, kGreen).SelectObject(0).Ellipse(0, 0, 100, 60).Build());
  EXPECT_TRUE(IsColor(image, 50, 30, kGreen));
  EXPECT_TRUE(IsColor(image, 2, 2, kWhite));
  EXPECT_TRUE(IsColor(image, 50, 70, kWhite));
  EXPECT_GT(DarkPixels(image, QRect(0, 25, 2, 10)), 0) << "default black pen at the left extreme";
}

TEST(MetafileShapes, PieGoesCounterClockwiseFromStartToEndRadial) {
  const QImage image = RenderForTest(Frame()
                                         .CreateBrush(0, kRed)
                                         .SelectObject(0)
                                         .Pie(QRect(QPoint(0, 0), QPoint(100, 100)), {100, 50}, {50, 0})
                                         .Build());
  EXPECT_TRUE(IsColor(image, 70, 30, kRed)) << "upper right quadrant";
  EXPECT_TRUE(IsColor(image, 30, 30, kWhite));
  EXPECT_TRUE(IsColor(image, 30, 70, kWhite));
  EXPECT_TRUE(IsColor(image, 70, 70, kWhite));
}

TEST(MetafileShapes, ArcFromEqualRadialsIsAFullEllipseOutline) {
  const QImage image = RenderForTest(Frame().Arc(QRect(QPoint(10, 10), QPoint(90, 90)), {90, 50}, {90, 50}).Build());
  EXPECT_GT(DarkPixels(image, QRect(0, 40, 20, 20)), 0) << "left side";
  EXPECT_GT(DarkPixels(image, QRect(80, 40, 20, 20)), 0) << "right side";
  EXPECT_EQ(DarkPixels(image, QRect(30, 30, 40, 40)), 0) << "no fill";
}

TEST(MetafileShapes, PenWidthIsInLogicalUnitsAndZeroIsOnePixel) {
  const QImage wide = RenderForTest(MetafileBuilder(0, 0, 50, 50, 48)  // 2 pixels per unit
                                        .CreatePen(kSolid, 5, kBlack)
                                        .SelectObject(0)
                                        .MoveTo(0, 25)
                                        .LineTo(50, 25)
                                        .Build());
  EXPECT_TRUE(IsColor(wide, 50, 46, kBlack)) << "10 pixel pen reaches 4 pixels off the line";
  EXPECT_TRUE(IsColor(wide, 50, 40, kWhite));

  const QImage hairline = RenderForTest(MetafileBuilder(0, 0, 50, 50, 48)
                                            .CreatePen(kSolid, 0, kBlack)
                                            .SelectObject(0)
                                            .MoveTo(0, 25)
                                            .LineTo(50, 25)
                                            .Build());
  EXPECT_EQ(DarkPixels(hairline, QRect(40, 0, 1, 100)), 1);
}

TEST(MetafileShapes, PolygonFillModes) {
  const std::vector<std::vector<QPoint>> nested = {{{10, 10}, {90, 10}, {90, 90}, {10, 90}},
                                                   {{30, 30}, {70, 30}, {70, 70}, {30, 70}}};
  auto render = [&](int mode) {
    return RenderForTest(Frame()
                             .CreatePen(kNull, 0, kBlack)
                             .CreateBrush(0, kRed)
                             .SelectObject(0)
                             .SelectObject(1)
                             .SetPolyFillMode(mode)
                             .PolyPolygon(nested)
                             .Build());
  };
  const QImage alternate = render(1);
  EXPECT_TRUE(IsColor(alternate, 20, 20, kRed));
  EXPECT_TRUE(IsColor(alternate, 50, 50, kWhite));
  const QImage winding = render(2);
  EXPECT_TRUE(IsColor(winding, 20, 20, kRed));
  EXPECT_TRUE(IsColor(winding, 50, 50, kRed));

  const QImage triangle =
      RenderForTest(Frame().CreateBrush(0, kBlue).SelectObject(0).Polygon({{0, 0}, {99, 0}, {0, 99}}).Build());
  EXPECT_TRUE(IsColor(triangle, 20, 20, kBlue));
  EXPECT_TRUE(IsColor(triangle, 80, 80, kWhite));
}

TEST(MetafileShapes, ClipRectsLimitDrawing) {
  const QImage image = RenderForTest(Frame()
                                         .CreateBrush(0, kRed)
                                         .SelectObject(0)
                                         .IntersectClipRect(0, 0, 50, 100)
                                         .ExcludeClipRect(10, 10, 20, 20)
                                         .Rectangle(0, 0, 100, 100)
                                         .Build());
  EXPECT_TRUE(IsColor(image, 30, 50, kRed));
  EXPECT_TRUE(IsColor(image, 70, 50, kWhite));
  EXPECT_TRUE(IsColor(image, 15, 15, kWhite));
}

TEST(MetafileShapes, SelectedRegionClipsAndANonRegionResetsTheClip) {
  const QImage image =
      RenderForTest(Frame()
                        .CreatePen(kNull, 0, kBlack)
                        .CreateBrush(0, kRed)
                        .CreateRegion({QRect(QPoint(0, 0), QPoint(20, 20)), QRect(QPoint(60, 60), QPoint(80, 80))})
                        .SelectObject(0)
                        .SelectObject(1)
                        .SelectClipRegion(2)
                        .Rectangle(0, 0, 100, 100)
                        .SelectClipRegion(1)  // a brush: back to no clip
                        .SelectObject(1)
                        .Rectangle(0, 90, 100, 100)
                        .Build());
  EXPECT_TRUE(IsColor(image, 10, 10, kRed));
  EXPECT_TRUE(IsColor(image, 70, 70, kRed));
  EXPECT_TRUE(IsColor(image, 40, 40, kWhite));
  EXPECT_TRUE(IsColor(image, 80, 80, kWhite)) << "right and bottom exclusive";
  EXPECT_TRUE(IsColor(image, 50, 95, kRed));
}

TEST(MetafileShapes, RestoreDcBringsBackPenBrushAndClip) {
  const QImage image = RenderForTest(Frame()
                                         .CreateBrush(0, kRed)
                                         .CreateBrush(0, kBlue)
                                         .CreatePen(kNull, 0, kBlack)
                                         .SelectObject(2)
                                         .SelectObject(0)
                                         .SaveDc()
                                         .SelectObject(1)
                                         .IntersectClipRect(0, 0, 10, 10)
                                         .SaveDc()
                                         .RestoreDc(-2)
                                         .Rectangle(0, 0, 50, 50)
                                         .RestoreDc(-1)  // nothing left to restore
                                         .Rectangle(50, 50, 100, 100)
                                         .Build());
  EXPECT_TRUE(IsColor(image, 25, 25, kRed));
  EXPECT_TRUE(IsColor(image, 75, 75, kRed));
}

TEST(MetafileShapes, DeletedSlotIsReusedByTheNextObject) {
  const QImage image = RenderForTest(Frame()
                                         .CreatePen(kSolid, 0, kBlack)  // 0
                                         .CreateBrush(0, kRed)          // 1
                                         .DeleteObject(0)
                                         .CreateBrush(0, kGreen)  // takes slot 0
                                         .CreateBrush(0, kBlue)   // slot 2
                                         .SelectObject(0)
                                         .Rectangle(0, 0, 50, 50)
                                         .SelectObject(2)
                                         .Rectangle(50, 50, 100, 100)
                                         .Build());
  EXPECT_TRUE(IsColor(image, 25, 25, kGreen));
  EXPECT_TRUE(IsColor(image, 75, 75, kBlue));
}

TEST(MetafileShapes, MissingAndAbsurdObjectIndexesAreIgnored) {
  const QImage image = RenderForTest(Frame()
                                         .CreateBrush(0, kRed)
                                         .SelectObject(0)
                                         .SelectObject(0xFFFF)
                                         .SelectObject(-1)
                                         .DeleteObject(40000)
                                         .DeleteObject(-7)
                                         .SelectObject(5)
                                         .Rectangle(0, 0, 50, 50)
                                         .Build());
  EXPECT_TRUE(IsColor(image, 25, 25, kRed));
}

TEST(MetafileShapes, FullObjectTableDropsNewObjects) {
  const QImage image = RenderForTest(Frame()
                                         .CreateBrush(0, kRed)
                                         .CreateBrush(0, kBlue)  // no slot left
                                         .SetObjectCount(1)
                                         .SelectObject(0)
                                         .Rectangle(0, 0, 50, 50)
                                         .Build());
  EXPECT_TRUE(IsColor(image, 25, 25, kRed));
}

TEST(MetafileShapes, BinaryRasterOperations) {
  const QImage image = RenderForTest(Frame()
                                         .CreatePen(kNull, 0, kBlack)
                                         .CreateBrush(0, kBlack)
                                         .CreateBrush(0, kBlue)
                                         .SelectObject(0)
                                         .SelectObject(1)
                                         .Rectangle(0, 0, 60, 100)
                                         .SetRop2(6)  // R2_NOT
                                         .Rectangle(0, 0, 30, 50)
                                         .SetRop2(11)  // R2_NOP
                                         .Rectangle(70, 0, 100, 50)
                                         .SetRop2(16)  // R2_WHITE
                                         .Rectangle(40, 0, 50, 10)
                                         .SelectObject(2)
                                         .SetRop2(7)  // R2_XORPEN
                                         .Rectangle(60, 50, 100, 100)
                                         .Build());
  EXPECT_TRUE(IsColor(image, 10, 10, kWhite)) << "black inverted";
  EXPECT_TRUE(IsColor(image, 45, 30, kBlack));
  EXPECT_TRUE(IsColor(image, 80, 10, kWhite)) << "no-op";
  EXPECT_TRUE(IsColor(image, 45, 5, kWhite));
  EXPECT_TRUE(IsColor(image, 80, 70, qRgb(255, 255, 0))) << "white xor blue";
  EXPECT_EQ(qAlpha(image.pixel(10, 10)), 255);
}

TEST(MetafileShapes, HatchedBrushUsesBackgroundInOpaqueMode) {
  auto render = [](int bkMode) {
    return RenderForTest(Frame()
                             .CreatePen(kNull, 0, kBlack)
                             .CreateBrush(2, kBlack, 4)  // cross hatch
                             .SelectObject(0)
                             .SelectObject(1)
                             .SetBkColor(kYellow)
                             .SetBkMode(bkMode)
                             .Rectangle(0, 0, 100, 100)
                             .Build());
  };
  const QImage opaque = render(2);
  const QImage transparent = render(1);
  const int black = DarkPixels(transparent, QRect(0, 0, 90, 90));
  EXPECT_GT(black, 0);
  EXPECT_LT(black, 90 * 90 / 2);
  int yellow = 0;
  for (int y = 0; y < 90; ++y) {
    for (int x = 0; x < 90; ++x) yellow += IsColor(opaque, x, y, kYellow) ? 1 : 0;
  }
  EXPECT_EQ(yellow + DarkPixels(opaque, QRect(0, 0, 90, 90)), 90 * 90);
}

TEST(MetafileShapes, PatBltAndSetPixel) {
  const QImage image = RenderForTest(Frame()
                                         .CreateBrush(0, kBlue)
                                         .SelectObject(0)
                                         .PatBlt(10, 10, 20, 20)
                                         .PatBlt(50, 50, 10, 10, 0x00000042)  // BLACKNESS
                                         .SetPixel(90, 90, kRed)
                                         .Build());
  EXPECT_TRUE(IsColor(image, 10, 10, kBlue));
  EXPECT_TRUE(IsColor(image, 29, 29, kBlue));
  EXPECT_TRUE(IsColor(image, 30, 30, kWhite));
  EXPECT_TRUE(IsColor(image, 55, 55, kBlack));
  EXPECT_TRUE(IsColor(image, 90, 90, kRed));
  EXPECT_TRUE(IsColor(image, 91, 90, kWhite));
}

}  // namespace
}  // namespace qb::test
