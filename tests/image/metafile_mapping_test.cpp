#include "image/metafile/metafile_mapping.h"
#include "metafile_builder.h"

#include <gtest/gtest.h>

namespace qb::wmf {
namespace {

using test::IsColor;
using test::MetafileBuilder;
using test::RenderForTest;

constexpr QRgb kRed = qRgb(255, 0, 0);
constexpr QRgb kWhite = qRgb(255, 255, 255);

TEST(MetafileMapping, WindowMapsOntoViewport) {
  const Mapping m = Mapping::ForFrame({-50, 100}, {1000, 500}, {100, 50});
  EXPECT_EQ(m.ToDevice({-50, 100}), QPointF(0, 0));
  EXPECT_EQ(m.ToDevice({950, 600}), QPointF(100, 50));
  EXPECT_EQ(m.ToLogical({100, 50}), QPointF(950, 600));
}

TEST(MetafileMapping, ExtentsChangeOnlyInScalableModes) {
  Mapping m = Mapping::ForFrame({0, 0}, {10, 10}, {100, 100});
  m.SetWindowExt({0, 5});  // refused: a zero extent would leave the mapping undefined
  EXPECT_EQ(m.windowExt(), QPoint(10, 10));
  m.SetMode(kMapText);
  EXPECT_DOUBLE_EQ(m.ScaleX(), 1.0);
  m.SetWindowExt({3, 3});
  EXPECT_EQ(m.windowExt(), QPoint(1, 1));
  m.SetMode(99);
  EXPECT_EQ(m.mode(), kMapText);
}

TEST(MetafileMapping, FixedModesUseNinetySixDotsPerInchWithYUp) {
  Mapping m = Mapping::ForFrame({0, 0}, {10, 10}, {100, 100});
  m.SetMode(kMapTwips);
  EXPECT_EQ(m.ToDevice({1440, 1440}), QPointF(96, -96));
  m.SetMode(kMapHiMetric);
  EXPECT_NEAR(m.ToDevice({2540, 0}).x(), 96, 1e-9);
}

TEST(MetafileMapping, IsotropicModeKeepsUnitsSquare) {
  Mapping m = Mapping::ForFrame({0, 0}, {100, 100}, {200, 100});
  m.SetMode(kMapIsotropic);
  EXPECT_EQ(m.viewportExt(), QPoint(100, 100));
  m.SetWindowExt({100, -50});  // y flipped and twice as dense
  EXPECT_DOUBLE_EQ(std::fabs(m.ScaleX()), std::fabs(m.ScaleY()));
  EXPECT_LT(m.ScaleY(), 0);
}

TEST(MetafileMappingRender, NegativeWindowOriginFromTheFrame) {
  const QImage image = RenderForTest(
      MetafileBuilder(-50, -50, 50, 50).CreateBrush(0, kRed).SelectObject(0).Rectangle(-50, -50, 0, 0).Build());
  ASSERT_EQ(image.size(), QSize(100, 100));
  EXPECT_TRUE(IsColor(image, 10, 10, kRed));
  EXPECT_TRUE(IsColor(image, 60, 60, kWhite));
  EXPECT_TRUE(IsColor(image, 60, 10, kWhite));
}

TEST(MetafileMappingRender, WindowExtentDifferentFromTheFrame) {
  const QImage image = RenderForTest(MetafileBuilder(0, 0, 100, 100)
                                         .SetWindowOrg(-1000, 0)
                                         .SetWindowExt(2000, 1000)
                                         .CreateBrush(0, kRed)
                                         .SelectObject(0)
                                         .Rectangle(0, 0, 1000, 500)
                                         .Build());
  EXPECT_TRUE(IsColor(image, 49, 25, kWhite)) << "x = 0 lands mid-picture";
  EXPECT_TRUE(IsColor(image, 75, 25, kRed));
  EXPECT_TRUE(IsColor(image, 75, 75, kWhite));
}

TEST(MetafileMappingRender, BoundingBoxIsTheWindowWhenNoneIsSet) {
  const QImage image = RenderForTest(
      MetafileBuilder(0, 0, 200, 200, 192).CreateBrush(0, kRed).SelectObject(0).Rectangle(0, 0, 100, 100).Build());
  ASSERT_EQ(image.size(), QSize(100, 100));
  EXPECT_TRUE(IsColor(image, 25, 25, kRed));
  EXPECT_TRUE(IsColor(image, 60, 60, kWhite));
}

TEST(MetafileMappingRender, AnisotropicViewportSetByTheMetafile) {
  const QImage image = RenderForTest(MetafileBuilder(0, 0, 100, 100)
                                         .SetMapMode(kMapAnisotropic)
                                         .SetWindowExt(10, 10)
                                         .SetViewportExt(40, 20)
                                         .SetViewportOrg(10, 50)
                                         .CreateBrush(0, kRed)
                                         .SelectObject(0)
                                         .Rectangle(0, 0, 10, 10)
                                         .Build());
  EXPECT_TRUE(IsColor(image, 30, 60, kRed));
  EXPECT_TRUE(IsColor(image, 5, 60, kWhite));
  EXPECT_TRUE(IsColor(image, 30, 75, kWhite));
  EXPECT_TRUE(IsColor(image, 30, 45, kWhite));
}

}  // namespace
}  // namespace qb::wmf
