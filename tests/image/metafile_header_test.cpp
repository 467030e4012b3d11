#include "image/metafile/metafile_header.h"
#include "image/metafile/metafile_player.h"
#include "metafile_builder.h"

#include <gtest/gtest.h>

namespace qb::wmf {
namespace {

std::optional<FrameSize> Frame(int16_t left, int16_t top, int16_t right, int16_t bottom, uint16_t inch) {
  QString error;
  return NaturalFrameSize(PlaceableHeader{left, top, right, bottom, inch}, &error);
}

TEST(MetafileFrameSize, ScalesTheBoundingBoxToNinetySixDotsPerInch) {
  const auto twips = Frame(0, 0, 2880, 1440, 1440);
  ASSERT_TRUE(twips);
  EXPECT_EQ(twips->width, 192);
  EXPECT_EQ(twips->height, 96);

  const auto reversed = Frame(100, 50, -100, -50, 96);  // sides measured as absolute differences
  ASSERT_TRUE(reversed);
  EXPECT_EQ(reversed->width, 200);
  EXPECT_EQ(reversed->height, 100);
}

TEST(MetafileFrameSize, RoundsToTheNearestPixel) {
  const auto thirds = Frame(0, 0, 100, 1, 72);  // 133.33 x 1.33
  ASSERT_TRUE(thirds);
  EXPECT_EQ(thirds->width, 133);
  EXPECT_EQ(thirds->height, 1);
  const auto half = Frame(0, 0, 1, 3, 192);  // 0.5 x 1.5
  ASSERT_TRUE(half);
  EXPECT_EQ(half->width, 1);
  EXPECT_EQ(half->height, 2);
}

TEST(MetafileFrameSize, RefusesFramesNoPictureCanHave) {
  QString error;
  EXPECT_FALSE(NaturalFrameSize(PlaceableHeader{0, 0, 100, 100, 0}, &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_FALSE(Frame(0, 0, 0, 100, 96)) << "no width";
  EXPECT_FALSE(Frame(0, 0, 100, 1, 1440)) << "height rounds to 0";
  EXPECT_FALSE(Frame(0, 0, 342, 10, 1)) << "32,832 pixels wide";
  EXPECT_FALSE(Frame(-32768, 0, 32767, 10, 192)) << "32,768 pixels wide after rounding";
  EXPECT_TRUE(Frame(0, 0, 32767, 10, 96));
  // 32,767 square would need a pixel array over 2 GB.
  EXPECT_FALSE(Frame(0, 0, 32767, 32767, 96));
}

TEST(MetafileHeaders, PlaceableKeyIsRequired) {
  const QByteArray good = test::MetafileBuilder(0, 0, 10, 10).Build();
  const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(good.constData()), good.size());
  const auto header = ParsePlaceableHeader(bytes);
  ASSERT_TRUE(header);
  EXPECT_EQ(header->right, 10);
  EXPECT_EQ(header->inch, 96);
  EXPECT_FALSE(ParsePlaceableHeader(bytes.first(21)));

  QImage image;
  const Outcome rendered = RenderMetafile(test::MetafileBuilder(0, 0, 10, 10).BuildWithoutPlaceable(), image);
  EXPECT_FALSE(rendered);
  EXPECT_FALSE(rendered.why().empty());
  EXPECT_TRUE(image.isNull());
}

TEST(MetafileHeaders, MetaHeaderSizesAreChecked) {
  QByteArray body = test::MetafileBuilder(0, 0, 10, 10).BuildWithoutPlaceable();
  auto span = [](const QByteArray& b) {
    return std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(b.constData()), b.size());
  };
  QString error;
  ASSERT_TRUE(ParseMetaHeader(span(body), &error));

  QByteArray wrongHeaderSize = body;
  wrongHeaderSize[2] = 8;
  EXPECT_FALSE(ParseMetaHeader(span(wrongHeaderSize), &error));

  QByteArray statesMore = body;
  statesMore[6] = char(uint8_t(statesMore[6]) + 1);  // one word more than present
  EXPECT_FALSE(ParseMetaHeader(span(statesMore), &error));
  EXPECT_TRUE(error.contains("truncated"));

  QByteArray statesLess = body;
  statesLess[6] = 8;
  statesLess[7] = 0;
  EXPECT_FALSE(ParseMetaHeader(span(statesLess), &error));

  EXPECT_FALSE(ParseMetaHeader(span(body.left(17)), &error));
}

TEST(MetafileHeaders, PictureHasTheNaturalSizeAndIsWhite) {
  const QImage image = test::RenderForTest(test::MetafileBuilder(0, 0, 1440, 720, 1440).Build());
  EXPECT_EQ(image.size(), QSize(96, 48));
  EXPECT_EQ(image.format(), QImage::Format_RGB32);
  EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(95, 47), qRgb(255, 255, 255));
}

}  // namespace
}  // namespace qb::wmf
