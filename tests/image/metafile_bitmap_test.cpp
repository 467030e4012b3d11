#include "image/metafile/metafile_bitmap.h"
#include "image/metafile/metafile_player.h"
#include "metafile_builder.h"

#include <gtest/gtest.h>

namespace qb::wmf {
namespace {

using test::IsColor;
using test::MakeDib24;
using test::MetafileBuilder;
using test::RenderForTest;

constexpr QRgb kRed = qRgb(255, 0, 0);
constexpr QRgb kGreen = qRgb(0, 255, 0);
constexpr QRgb kBlue = qRgb(0, 0, 255);
constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kBlack = qRgb(0, 0, 0);

std::span<const uint8_t> Span(const QByteArray& bytes) {
  return {reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())};
}

void Set32(QByteArray* dib, int offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) (*dib)[offset + i] = char((value >> (8 * i)) & 0xFF);
}

void Set16(QByteArray* dib, int offset, uint16_t value) {
  (*dib)[offset] = char(value & 0xFF);
  (*dib)[offset + 1] = char(value >> 8);
}

// A 1-bit 2 x 2 DIB: colour table entries then rows (bottom row first).
QByteArray MonoDib(const QByteArray& table, uint8_t bottomRow, uint8_t topRow) {
  QByteArray dib = MakeDib24({{0, 0}, {0, 0}}).left(40);
  Set16(&dib, 14, 1);
  Set32(&dib, 32, 2);
  dib.append(table);
  dib.append(QByteArray(1, char(bottomRow)) + QByteArray(3, '\0'));
  dib.append(QByteArray(1, char(topRow)) + QByteArray(3, '\0'));
  return dib;
}

TEST(MetafileDib, LayoutIsCheckedAgainstTheData) {
  const QByteArray dib = MakeDib24({{kRed, kGreen}, {kBlue, kWhite}});
  DibLayout layout;
  ASSERT_EQ(ParseDibLayout(Span(dib), kDibRgbColors, &layout), BitmapStatus::Ok);
  EXPECT_EQ(layout.width, 2);
  EXPECT_EQ(layout.height, 2);
  EXPECT_EQ(layout.bitsOffset, 40u);
  EXPECT_EQ(layout.bitsBytes, 16u);

  auto status = [](QByteArray bytes) {
    DibLayout unused;
    return ParseDibLayout(Span(bytes), kDibRgbColors, &unused);
  };
  QByteArray zeroHeader = dib;
  Set32(&zeroHeader, 0, 0);
  EXPECT_EQ(status(zeroHeader), BitmapStatus::Damaged);
  QByteArray hugeHeader = dib;
  Set32(&hugeHeader, 0, 0x7FFFFFFF);
  EXPECT_EQ(status(hugeHeader), BitmapStatus::Damaged);
  QByteArray noWidth = dib;
  Set32(&noWidth, 4, 0);
  EXPECT_EQ(status(noWidth), BitmapStatus::Damaged);
  QByteArray enormous = dib;
  Set32(&enormous, 4, 30000);
  Set32(&enormous, 8, 30000);
  EXPECT_EQ(status(enormous), BitmapStatus::Damaged);
  EXPECT_EQ(status(dib.left(dib.size() - 1)), BitmapStatus::Damaged) << "bits cut short";
  QByteArray tooManyColors = MonoDib(QByteArray(8, '\0'), 0, 0);
  Set32(&tooManyColors, 32, 3);
  EXPECT_EQ(status(tooManyColors), BitmapStatus::Damaged);
  QByteArray jpeg = dib;
  Set32(&jpeg, 16, 4);
  EXPECT_EQ(status(jpeg), BitmapStatus::Unsupported);
  QByteArray rleOf24 = dib;
  Set32(&rleOf24, 16, 1);
  EXPECT_EQ(status(rleOf24), BitmapStatus::Damaged);
}

TEST(MetafileDib, DecodesBottomUpRowsTopRowFirst) {
  const DecodedBitmap bitmap = DecodeDib(Span(MakeDib24({{kRed, kGreen}, {kBlue, kWhite}})), kDibRgbColors, {});
  ASSERT_EQ(bitmap.status, BitmapStatus::Ok);
  EXPECT_TRUE(bitmap.bottomUp);
  EXPECT_EQ(bitmap.image.format(), QImage::Format_RGB32);
  EXPECT_EQ(bitmap.image.pixel(0, 0), kRed);
  EXPECT_EQ(bitmap.image.pixel(1, 0), kGreen);
  EXPECT_EQ(bitmap.image.pixel(0, 1), kBlue);
}

TEST(MetafileDib, ColourTablesOfRgbValuesOrPaletteIndexes) {
  QByteArray rgbTable;
  rgbTable.append(QByteArray("\x00\x00\xff\x00", 4));  // red as blue, green, red, 0
  rgbTable.append(QByteArray("\xff\x00\x00\x00", 4));  // blue
  const DecodedBitmap rgb = DecodeDib(Span(MonoDib(rgbTable, 0x40, 0x80)), kDibRgbColors, {});
  ASSERT_EQ(rgb.status, BitmapStatus::Ok);
  EXPECT_EQ(rgb.image.pixel(0, 0), kBlue);
  EXPECT_EQ(rgb.image.pixel(1, 0), kRed);
  EXPECT_EQ(rgb.image.pixel(1, 1), kBlue);

  MetaPalette palette{{kBlack, kGreen, kRed}};
  const QByteArray indexTable("\x02\x00\x01\x00", 4);
  const DecodedBitmap indexed = DecodeDib(Span(MonoDib(indexTable, 0x00, 0x80)), kDibPalColors, palette);
  ASSERT_EQ(indexed.status, BitmapStatus::Ok);
  EXPECT_EQ(indexed.image.pixel(0, 0), kGreen);
  EXPECT_EQ(indexed.image.pixel(1, 0), kRed);
}

TEST(MetafileDib, RunLengthBitsClaimingTooManyPixelsAreNotDecoded) {
  QByteArray rle = MonoDib(QByteArray(8, '\0'), 0, 0).left(40);
  Set16(&rle, 14, 8);
  Set32(&rle, 16, 1);  // RLE8
  Set32(&rle, 4, 4000);
  Set32(&rle, 8, 4000);
  Set32(&rle, 32, 1);
  rle.append(QByteArray(4, '\0'));        // one black colour
  rle.append(QByteArray("\x00\x01", 2));  // end of bitmap at once
  DibLayout layout;
  EXPECT_EQ(ParseDibLayout(Span(rle), kDibRgbColors, &layout), BitmapStatus::Unsupported);
}

TEST(MetafileDib, MonochromeDeviceBitmapTakesTextAndBackgroundColours) {
  QByteArray bitmap;
  for (int v : {0, 3, 2, 2}) bitmap.append(char(v)).append(char(0));  // type, width, height, width bytes
  bitmap.append(char(1)).append(char(1));                             // planes, bits per pixel
  bitmap.append(char(0x40)).append(char(0)).append(char(0xA0)).append(char(0));
  const DecodedBitmap decoded = DecodeBitmap16(Span(bitmap), kRed, kGreen, {});
  ASSERT_EQ(decoded.status, BitmapStatus::Ok);
  EXPECT_EQ(decoded.image.size(), QSize(3, 2));
  EXPECT_EQ(decoded.image.pixel(0, 0), kRed);
  EXPECT_EQ(decoded.image.pixel(1, 0), kGreen);
  EXPECT_EQ(decoded.image.pixel(0, 1), kGreen);
  EXPECT_EQ(decoded.image.pixel(1, 1), kRed);
  EXPECT_EQ(DecodeBitmap16(Span(bitmap.left(13)), kRed, kGreen, {}).status, BitmapStatus::Damaged);
}

TEST(MetafileDibRender, StretchDibScalesItsSourceIntoTheDestination) {
  const QByteArray dib = MakeDib24({{kRed, kGreen}, {kBlue, kWhite}});
  const QImage image =
      RenderForTest(MetafileBuilder(0, 0, 100, 100).StretchDib(QRect(0, 0, 100, 100), QRect(0, 0, 2, 2), dib).Build());
  EXPECT_TRUE(IsColor(image, 25, 25, kRed));
  EXPECT_TRUE(IsColor(image, 75, 25, kGreen));
  EXPECT_TRUE(IsColor(image, 25, 75, kBlue));
  EXPECT_TRUE(IsColor(image, 99, 99, kWhite));

  // A source rectangle of a bottom-up DIB counts from the bottom row.
  const QImage part =
      RenderForTest(MetafileBuilder(0, 0, 100, 100).StretchDib(QRect(0, 0, 100, 50), QRect(0, 0, 2, 1), dib).Build());
  EXPECT_TRUE(IsColor(part, 25, 25, kBlue));
  EXPECT_TRUE(IsColor(part, 25, 75, kWhite));

  const QImage mirrored = RenderForTest(
      MetafileBuilder(0, 0, 100, 100).StretchDib(QRect(100, 0, -100, 100), QRect(0, 0, 2, 2), dib).Build());
  EXPECT_TRUE(IsColor(mirrored, 25, 25, kGreen));
  EXPECT_TRUE(IsColor(mirrored, 75, 25, kRed));
}

TEST(MetafileDibRender, DibPatternBrushTilesFromTheDeviceOrigin) {
  const QImage image = RenderForTest(MetafileBuilder(0, 0, 100, 100)
                                         .CreateDibPatternBrush(MakeDib24({{kRed, kBlue}, {kBlue, kRed}}))
                                         .SelectObject(0)
                                         .PatBlt(10, 10, 80, 80)
                                         .Build());
  EXPECT_TRUE(IsColor(image, 10, 10, kRed));
  EXPECT_TRUE(IsColor(image, 11, 10, kBlue));
  EXPECT_TRUE(IsColor(image, 11, 11, kRed));
  EXPECT_TRUE(IsColor(image, 9, 9, kWhite));
}

TEST(MetafileDibRender, OldBitBltColoursAMonochromeBitmapWithTextAndBackground) {
  QByteArray bitmap;
  for (int v : {0, 2, 1, 2}) bitmap.append(char(v)).append(char(0));
  bitmap.append(char(1)).append(char(1));
  bitmap.append(char(0x40)).append(char(0));  // pixels 0, 1
  const QImage image = RenderForTest(MetafileBuilder(0, 0, 100, 100)
                                         .SetTextColor(kRed)
                                         .SetBkColor(kGreen)
                                         .Raw(0x0107, {3})  // COLORONCOLOR
                                         .BitBlt(0, 0, 2, 1, bitmap)
                                         .Build());
  EXPECT_TRUE(IsColor(image, 0, 0, kRed));
  EXPECT_TRUE(IsColor(image, 1, 0, kGreen));
  EXPECT_TRUE(IsColor(image, 2, 0, kWhite));
}

TEST(MetafileDibRender, DamagedBitmapFailsThePicture) {
  QByteArray zeroHeader = MakeDib24({{kRed}});
  Set32(&zeroHeader, 0, 0);
  QImage image;
  const Outcome rendered = RenderMetafile(
      MetafileBuilder(0, 0, 10, 10).StretchDib(QRect(0, 0, 10, 10), QRect(0, 0, 1, 1), zeroHeader).Build(), image);
  EXPECT_FALSE(rendered);
  EXPECT_FALSE(rendered.why().empty());
}

}  // namespace
}  // namespace qb::wmf
