#include <gtest/gtest.h>

#include "bmp_fixtures.h"
#include "image/bmp_check.h"
#include "image/bmp_rle.h"
#include "image/picture_loader.h"
#include "picture_fixtures.h"

namespace qb {
namespace {

using fixtures::BmpShape;
using fixtures::MakeBmp;

struct BmpCase {
  const char* name;
  BmpShape shape;
  int tolerance = 0;
};

std::ostream& operator<<(std::ostream& out, const BmpCase& c) { return out << c.name; }

BmpShape Bmp(int bits, std::uint32_t compression = fixtures::kBiRgb) {
  BmpShape s;
  s.bits = bits;
  s.compression = compression;
  return s;
}

class BmpLoads : public ::testing::TestWithParam<BmpCase> {};

TEST_P(BmpLoads, AtNaturalSizeWithRowsInPlaceAndOpaque) {
  const BmpShape& shape = GetParam().shape;
  QImage image;
  const Outcome decoded = DecodePictureData(MakeBmp(shape), image);
  ASSERT_TRUE(decoded.ok()) << decoded.why();
  EXPECT_EQ(image.size(), QSize(shape.width, shape.height));
  EXPECT_EQ(image.format(), QImage::Format_RGB32);
  EXPECT_TRUE(fixtures::HasQuadrants(image, shape.bits == 1 ? fixtures::kMonoQuadrants : fixtures::kQuadrants,
                                     GetParam().tolerance));
  // Corners too: a shifted row or a lost padding byte shows there first.
  EXPECT_TRUE(fixtures::SameColour(image.pixel(0, 0), fixtures::kRed, GetParam().tolerance));
  EXPECT_TRUE(
      fixtures::SameColour(image.pixel(shape.width - 1, shape.height - 1), fixtures::kWhite, GetParam().tolerance));
}

BmpShape TopDown(BmpShape s) {
  s.topDown = true;
  return s;
}

BmpShape WithHeader(BmpShape s, std::uint32_t headerSize) {
  s.headerSize = headerSize;
  return s;
}

BmpShape WithFourthByte(BmpShape s, std::uint8_t fourth) {
  s.fourthByte = fourth;
  return s;
}

BmpShape WithMasks(BmpShape s, std::array<std::uint32_t, 4> masks) {
  s.masks = masks;
  return s;
}

INSTANTIATE_TEST_SUITE_P(
    EachDepthAndCompression, BmpLoads,
    ::testing::Values(BmpCase{"1bit", Bmp(1)}, BmpCase{"4bit", Bmp(4)}, BmpCase{"8bit", Bmp(8)},
                      BmpCase{"16bit555", Bmp(16)}, BmpCase{"24bit", Bmp(24)}, BmpCase{"32bit", Bmp(32)},
                      BmpCase{"rle4", Bmp(4, fixtures::kBiRle4)}, BmpCase{"rle8", Bmp(8, fixtures::kBiRle8)},
                      BmpCase{"bitfields16", WithMasks(Bmp(16, fixtures::kBiBitFields), {0xF800, 0x07E0, 0x001F, 0})},
                      // Channels in an unusual order prove the masks are honoured.
                      BmpCase{"bitfields32",
                              WithMasks(Bmp(32, fixtures::kBiBitFields), {0x000000FF, 0x0000FF00, 0x00FF0000, 0})},
                      BmpCase{"topdown24", TopDown(Bmp(24))}, BmpCase{"topdown8", TopDown(Bmp(8))},
                      BmpCase{"coreheader24", WithHeader(Bmp(24), 12)}, BmpCase{"coreheader8", WithHeader(Bmp(8), 12)},
                      // A fourth byte is never transparency: the pictures load as stored.
                      BmpCase{"fourthbyte32", WithFourthByte(Bmp(32), 0x80)},
                      BmpCase{"v4alphamask", WithFourthByte(WithMasks(WithHeader(Bmp(32, fixtures::kBiBitFields), 108),
                                                                      {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}),
                                                            0x00)},
                      BmpCase{"v5alphamask", WithFourthByte(WithMasks(WithHeader(Bmp(32, fixtures::kBiBitFields), 124),
                                                                      {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}),
                                                            0x40)},
                      BmpCase{"v5rgb", WithFourthByte(WithHeader(Bmp(32), 124), 0x10)}),
    [](const auto& info) { return std::string(info.param.name); });

void PutU32(QByteArray& bytes, qsizetype at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

::testing::AssertionResult Refused(const QByteArray& bytes, const char* reason) {
  QImage image(1, 1, QImage::Format_RGB32);
  image.fill(Qt::green);
  const Outcome decoded = DecodePictureData(bytes, image);
  const QString why = QString::fromStdString(decoded.why());
  if (decoded) return ::testing::AssertionFailure() << "loaded";
  if (image.size() != QSize(1, 1) || image.pixel(0, 0) != qRgb(0, 255, 0))
    return ::testing::AssertionFailure() << "the previous picture was changed";
  if (!why.contains(QLatin1String(reason)))
    return ::testing::AssertionFailure() << "reason \"" << why.toStdString() << "\" lacks \"" << reason << "\"";
  return ::testing::AssertionSuccess();
}

TEST(DamagedBmp, MissingPixelDataFails) {
  // Even the top row's padding must be there: Qt's reader drops a row it
  // cannot read whole, leaving it unset.
  const QByteArray full = MakeBmp(Bmp(24));
  EXPECT_TRUE(Refused(full.left(full.size() - 1), "ends early"));
  EXPECT_TRUE(Refused(full.left(full.size() / 2), "ends early"));
  const QByteArray mono = MakeBmp(Bmp(1));
  EXPECT_TRUE(Refused(mono.left(mono.size() - 1), "ends early"));
}

TEST(DamagedBmp, CutRleStreamsFail) {
  for (const BmpShape& shape : {Bmp(8, fixtures::kBiRle8), Bmp(4, fixtures::kBiRle4)}) {
    const QByteArray full = MakeBmp(shape);
    // Without the last end-of-line and end-of-bitmap the top row is incomplete.
    EXPECT_TRUE(Refused(full.left(full.size() - 4), "ends early"));
    EXPECT_TRUE(Refused(full.left(full.size() - 9), "ends early"));
    // Missing only the end-of-bitmap mark after the last row loses nothing.
    QImage image;
    EXPECT_TRUE(DecodePictureData(full.left(full.size() - 2), image).ok());
  }
}

// An 8 x 4 RLE8 bitmap, palette blue then red, whose stream is given.
QByteArray Rle8Bitmap(const QByteArray& stream) {
  return fixtures::MakeRleBmp(8, 8, 4, {fixtures::kBlue, fixtures::kRed}, stream);
}

TEST(RleBmp, PixelsTheStreamSkipsAreTheFirstPaletteColour) {
  // Three red pixels, then the end of the bitmap: the rest was never
  // written and must not be whatever memory the decoder had.
  const QByteArray early = Rle8Bitmap(QByteArray("\x03\x01\x00\x01", 4));
  // A delta jumping from the bottom row's start to the top row's fourth pixel.
  const QByteArray delta = Rle8Bitmap(QByteArray("\x01\x01\x00\x02\x02\x03\x01\x01\x00\x01", 10));
  for (const QByteArray& file : {early, delta}) {
    QImage image;
    const Outcome decoded = DecodePictureData(file, image);
    ASSERT_TRUE(decoded.ok()) << decoded.why();
    ASSERT_EQ(image.size(), QSize(8, 4));
    EXPECT_EQ(image.pixel(0, 3), qRgb(255, 0, 0));
    int blue = 0;
    for (int y = 0; y < 4; ++y) {
      for (int x = 0; x < 8; ++x) blue += image.pixel(x, y) == qRgb(0, 0, 255) ? 1 : 0;
    }
    EXPECT_EQ(blue, file == early ? 29 : 30);
  }
}

TEST(DamagedBmp, CutPaletteOrHeaderFails) {
  const QByteArray indexed = MakeBmp(Bmp(8));
  EXPECT_TRUE(Refused(indexed.left(14 + 40 + 100), "colour table is cut short"));
  EXPECT_TRUE(Refused(indexed.left(30), "header is cut short"));
  QByteArray tooManyColours = indexed;
  PutU32(tooManyColours, 14 + 32, 257);
  EXPECT_TRUE(Refused(tooManyColours, "colour table is damaged"));
}

TEST(DamagedBmp, HeadersWithoutPixelsFail) {
  QByteArray zeroHeader = MakeBmp(Bmp(24));
  PutU32(zeroHeader, 14, 0);
  EXPECT_TRUE(Refused(zeroHeader, "header of 0 bytes"));
  QByteArray zeroWidth = MakeBmp(Bmp(24));
  PutU32(zeroWidth, 18, 0);
  EXPECT_TRUE(Refused(zeroWidth, "no pixels"));
  QByteArray zeroHeight = MakeBmp(Bmp(24));
  PutU32(zeroHeight, 22, 0);
  EXPECT_TRUE(Refused(zeroHeight, "no pixels"));
}

TEST(DamagedBmp, OversizedPicturesAreRefusedFromTheHeader) {
  QByteArray wide = MakeBmp(Bmp(24));
  PutU32(wide, 18, 40000);
  EXPECT_TRUE(Refused(wide, "40000 x 7 pixels, more than 32767"));
  QByteArray tall = MakeBmp(Bmp(24));
  PutU32(tall, 22, static_cast<std::uint32_t>(-40000));
  EXPECT_TRUE(Refused(tall, "13 x 40000 pixels"));
  // Sides a page can hold but more pixels than its 2 GB transfer allows,
  // refused before decoding.
  QByteArray square = MakeBmp(Bmp(1));
  PutU32(square, 18, 32767);
  PutU32(square, 22, 32767);
  EXPECT_TRUE(Refused(square, "32767 x 32767 pixels, more than the 536870911 pixels a page holds"));
  // The largest allowed size is refused too when the pixels are not there,
  // without decoding 2 GB of filler.
  QByteArray largest = MakeBmp(Bmp(1));
  PutU32(largest, 18, 32767);
  PutU32(largest, 22, 16384);
  EXPECT_TRUE(Refused(largest, "ends early"));
}

TEST(DamagedBmp, UnsupportedEncodingsFail) {
  QByteArray rleTopDown = MakeBmp(TopDown(Bmp(8)));
  PutU32(rleTopDown, 30, fixtures::kBiRle8);
  EXPECT_TRUE(Refused(rleTopDown, "top-down"));
  QByteArray jpegInside = MakeBmp(Bmp(24));
  PutU32(jpegInside, 30, 4);
  EXPECT_TRUE(Refused(jpegInside, "unsupported bitmap encoding"));
}

TEST(CheckBmpFile, ReportsTheLayout) {
  BmpLayout layout;
  EXPECT_TRUE(CheckBmpFile(MakeBmp(TopDown(Bmp(24))), &layout).ok());
  EXPECT_EQ(QSize(layout.width, layout.height), QSize(13, 7));
  EXPECT_TRUE(layout.topDown);
  EXPECT_TRUE(CheckBmpFile(MakeBmp(Bmp(4)), &layout).ok());
  EXPECT_EQ(layout.palette.size(), 16u);
  EXPECT_FALSE(layout.topDown);
}

using bmp::CheckRleStream;
using bmp::RleFault;
using fixtures::Bytes;

TEST(CheckRleStream, EndsAtTheEndMarkOrAfterTheLastRow) {
  EXPECT_EQ(CheckRleStream(Bytes({0, 1}), 8, 4, 5, 16), RleFault::None);
  EXPECT_EQ(CheckRleStream(Bytes({3, 9, 0, 0, 3, 9, 0, 0}), 8, 4, 2, 16), RleFault::None);
  EXPECT_EQ(CheckRleStream(Bytes({3, 9, 0, 0}), 8, 4, 2, 16), RleFault::EndsEarly);
  EXPECT_EQ(CheckRleStream(QByteArray(), 8, 4, 1, 16), RleFault::EndsEarly);
  EXPECT_EQ(CheckRleStream(Bytes({0, 2, 5}), 8, 4, 3, 16), RleFault::EndsEarly);
}

TEST(CheckRleStream, LiteralRunsArePaddedToWords) {
  // RLE8: 5 literal bytes take 6; RLE4: 5 nibbles take 3 bytes, padded to 4.
  EXPECT_EQ(CheckRleStream(Bytes({0, 5, 1, 2, 3, 4, 5, 0, 0, 1}), 8, 5, 1, 16), RleFault::None);
  EXPECT_EQ(CheckRleStream(Bytes({0, 5, 1, 2, 3, 4, 5, 0, 1}), 8, 5, 1, 16), RleFault::EndsEarly);
  EXPECT_EQ(CheckRleStream(Bytes({0, 5, 0x12, 0x34, 0x50, 0, 0, 1}), 4, 5, 1, 16), RleFault::None);
  EXPECT_EQ(CheckRleStream(Bytes({0, 5, 0x12, 0x34, 0x50, 0, 1}), 4, 5, 1, 16), RleFault::EndsEarly);
}

TEST(LoadPictureFile, NamesTheFileOfADamagedBitmap) {
  QTemporaryDir dir;
  const QByteArray full = MakeBmp(Bmp(24));
  const QString path = fixtures::WriteFile(dir, QStringLiteral("cut.bmp"), full.left(full.size() / 2));
  QImage image;
  const Outcome loaded = LoadPictureFile(path, image);
  const QString error = QString::fromStdString(loaded.why());
  EXPECT_FALSE(loaded.ok());
  EXPECT_TRUE(error.contains(path)) << loaded.why();
  EXPECT_TRUE(image.isNull());
}

}  // namespace
}  // namespace qb
