#include <avif/avif.h>
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>
#include <memory>

#include "image/gif_check.h"
#include "image/jpeg_damage_watch.h"
#include "image/picture_format.h"
#include "image/picture_loader.h"
#include "picture_fixtures.h"

namespace qb {
namespace {

using fixtures::kBlue;
using fixtures::kRed;
using fixtures::kWhite;

QImage Decode(const QByteArray& bytes) {
  QImage image;
  const Outcome decoded = DecodePictureData(bytes, image);
  EXPECT_TRUE(decoded.ok()) << decoded.why();
  EXPECT_EQ(image.format(), QImage::Format_RGB32);
  return image;
}

::testing::AssertionResult Refused(const QByteArray& bytes, const char* reason) {
  QImage image;
  const Outcome decoded = DecodePictureData(bytes, image);
  const QString why = QString::fromStdString(decoded.why());
  if (decoded) return ::testing::AssertionFailure() << "loaded";
  if (!image.isNull()) return ::testing::AssertionFailure() << "a picture was set";
  if (!why.contains(QLatin1String(reason)))
    return ::testing::AssertionFailure() << "reason \"" << why.toStdString() << "\" lacks \"" << reason << "\"";
  return ::testing::AssertionSuccess();
}

TEST(GifLoading, FirstFrameSitsAtItsOffsetOverWhite) {
  const QImage image = Decode(fixtures::MakeGif({}));
  ASSERT_EQ(image.size(), QSize(20, 16));  // the logical screen
  // Frame at (5, 4), 10 x 6: left half red, right half transparent (hiding green).
  EXPECT_TRUE(fixtures::SameColour(image.pixel(5, 4), kRed));
  EXPECT_TRUE(fixtures::SameColour(image.pixel(9, 9), kRed));
  EXPECT_TRUE(fixtures::SameColour(image.pixel(10, 4), kWhite));
  EXPECT_TRUE(fixtures::SameColour(image.pixel(14, 9), kWhite));
  // Outside the frame: white, not the background colour (blue).
  EXPECT_TRUE(fixtures::SameColour(image.pixel(4, 4), kWhite));
  EXPECT_TRUE(fixtures::SameColour(image.pixel(5, 3), kWhite));
  EXPECT_TRUE(fixtures::SameColour(image.pixel(5, 10), kWhite));
  EXPECT_TRUE(fixtures::SameColour(image.pixel(19, 15), kWhite));
}

TEST(GifLoading, OpaqueFrameKeepsItsColours) {
  const QImage image =
      Decode(fixtures::MakeGif({.left = 0, .top = 0, .frameWidth = 20, .frameHeight = 16, .transparent = false}));
  EXPECT_TRUE(fixtures::SameColour(image.pixel(0, 0), kRed));
  EXPECT_TRUE(fixtures::SameColour(image.pixel(19, 15), fixtures::kGreen));
}

TEST(GifLoading, ScreenOutsideAnOpaqueFrameIsWhiteNotTheBackgroundColour) {
  const QByteArray gif = fixtures::MakeGif({.screenWidth = 48,
                                            .screenHeight = 32,
                                            .left = 20,
                                            .top = 12,
                                            .frameWidth = 20,
                                            .frameHeight = 12,
                                            .transparent = false});
  EXPECT_EQ(GifFirstFrameRect(gif), QRect(20, 12, 20, 12));
  const QImage image = Decode(gif);
  ASSERT_EQ(image.size(), QSize(48, 32));
  EXPECT_TRUE(fixtures::SameColour(image.pixel(2, 2), kWhite));  // the background index is blue
  EXPECT_TRUE(fixtures::SameColour(image.pixel(19, 12), kWhite));
  EXPECT_TRUE(fixtures::SameColour(image.pixel(40, 23), kWhite));
  EXPECT_TRUE(fixtures::SameColour(image.pixel(47, 31), kWhite));
  EXPECT_TRUE(fixtures::SameColour(image.pixel(20, 12), kRed));
  EXPECT_TRUE(fixtures::SameColour(image.pixel(39, 23), fixtures::kGreen));
}

TEST(GifLoading, FirstFrameRectNeedsAWholeDescriptor) {
  const QByteArray gif = fixtures::MakeGif({});
  EXPECT_EQ(GifFirstFrameRect(gif), QRect(5, 4, 10, 6));
  const qsizetype descriptorEnd = gif.indexOf('\x2C') + 10;
  EXPECT_EQ(GifFirstFrameRect(gif.left(descriptorEnd)), QRect(5, 4, 10, 6));
  EXPECT_TRUE(GifFirstFrameRect(gif.left(descriptorEnd - 1)).isEmpty());
  EXPECT_TRUE(GifFirstFrameRect(QByteArray("GIF89a")).isEmpty());
}

TEST(GifLoading, CutFrameDataOrOversizedScreenFails) {
  const QByteArray gif = fixtures::MakeGif({.left = 0, .top = 0, .frameWidth = 20, .frameHeight = 16});
  EXPECT_TRUE(Refused(gif.left(gif.size() - 3), "cut short"));  // last data byte and terminator
  EXPECT_TRUE(Refused(gif.left(40), "cut short"));
  EXPECT_TRUE(Refused(gif.left(10), "cut short"));
  QImage image;
  EXPECT_TRUE(DecodePictureData(gif.left(gif.size() - 1), image).ok());  // only the trailer lost
  EXPECT_TRUE(Refused(fixtures::MakeGif({.screenWidth = 40000}), "more than 32767"));

  // Blocks intact, but the compressed pixels cover only 16 of 17 rows.
  QByteArray taller = gif;
  const qsizetype frame = taller.indexOf(QByteArray("\x2C\x00\x00\x00\x00", 5));
  ASSERT_GE(frame, 0);
  taller[frame + 7] = 17;
  EXPECT_TRUE(Refused(taller, "cut short"));
}

TEST(GifLzwPixelCount, CountsWhatTheCodesDecodeTo) {
  // Minimum code size 2: clear 4, end 5, codes of 3 bits growing to 4.
  // clear, 0, 1, "0 1", end (4 bits by then): four pixels.
  EXPECT_EQ(GifLzwPixelCount(2, QByteArray("\x44\x5C", 2), 100), 4);
  EXPECT_EQ(GifLzwPixelCount(2, QByteArray("\x44\x5C", 2), 3), 3) << "counting stops at the limit";
  // clear, 0, then the code being defined ("0 0"), end: three pixels.
  EXPECT_EQ(GifLzwPixelCount(2, QByteArray("\x84\x0B", 2), 100), 3);
  // clear, 0, then a code not defined yet: the decoder stops after one pixel.
  EXPECT_EQ(GifLzwPixelCount(2, QByteArray("\xC4\x01", 2), 100), 1);
  EXPECT_EQ(GifLzwPixelCount(2, QByteArray(), 100), 0);
  EXPECT_EQ(GifLzwPixelCount(0, QByteArray("\x44\x5C", 2), 100), 0) << "no such code size";
}

TEST(PngLoading, TransparencyIsBlendedOverWhite) {
  QImage source(3, 1, QImage::Format_ARGB32);
  source.setPixel(0, 0, qRgba(255, 0, 0, 255));
  source.setPixel(1, 0, qRgba(0, 255, 0, 0));  // hidden green must not show
  source.setPixel(2, 0, qRgba(0, 0, 255, 128));
  const QImage image = Decode(fixtures::EncodeImage(source, "png"));
  ASSERT_EQ(image.size(), QSize(3, 1));
  EXPECT_TRUE(fixtures::SameColour(image.pixel(0, 0), kRed));
  EXPECT_TRUE(fixtures::SameColour(image.pixel(1, 0), kWhite));
  EXPECT_TRUE(fixtures::SameColour(image.pixel(2, 0), qRgb(127, 127, 255), 1));
}

TEST(PngLoading, DamagedOrOversizedFails) {
  const QByteArray png = fixtures::EncodeImage(fixtures::QuadrantImage(40, 30), "png");
  EXPECT_TRUE(Refused(png.left(png.size() / 2), "damaged"));
  EXPECT_TRUE(Refused(fixtures::WithPngSize(png, 40000, 30), "40000 x 30 pixels, more than 32767"));
  EXPECT_TRUE(Refused(fixtures::WithPngSize(png, 40, 32768), "more than 32767"));
  EXPECT_TRUE(Refused(fixtures::WithPngSize(png, 30000, 30000), "more than the 536870911 pixels a page holds"));
}

// Lossless, so that colours can be checked exactly.
QByteArray EncodeAvif(const QImage& picture) {
  const QImage source = picture.convertToFormat(QImage::Format_ARGB32);
  const std::unique_ptr<avifImage, decltype(&avifImageDestroy)> image(
      avifImageCreate(static_cast<std::uint32_t>(source.width()), static_cast<std::uint32_t>(source.height()), 8,
                      AVIF_PIXEL_FORMAT_YUV444),
      avifImageDestroy);
  image->matrixCoefficients = AVIF_MATRIX_COEFFICIENTS_IDENTITY;
  image->yuvRange = AVIF_RANGE_FULL;
  avifRGBImage rgb;
  avifRGBImageSetDefaults(&rgb, image.get());
  rgb.format = AVIF_RGB_FORMAT_BGRA;
  rgb.pixels = const_cast<std::uint8_t*>(source.constBits());
  rgb.rowBytes = static_cast<std::uint32_t>(source.bytesPerLine());
  EXPECT_EQ(avifImageRGBToYUV(image.get(), &rgb), AVIF_RESULT_OK);
  const std::unique_ptr<avifEncoder, decltype(&avifEncoderDestroy)> encoder(avifEncoderCreate(), avifEncoderDestroy);
  encoder->minQuantizer = encoder->maxQuantizer = AVIF_QUANTIZER_LOSSLESS;
  encoder->minQuantizerAlpha = encoder->maxQuantizerAlpha = AVIF_QUANTIZER_LOSSLESS;
  encoder->speed = AVIF_SPEED_FASTEST;
  avifRWData out = AVIF_DATA_EMPTY;
  EXPECT_EQ(avifEncoderWrite(encoder.get(), image.get(), &out), AVIF_RESULT_OK);
  QByteArray bytes(reinterpret_cast<const char*>(out.data), static_cast<qsizetype>(out.size));
  avifRWDataFree(&out);
  return bytes;
}

// The formats authors bring besides the classic ones: read by content at
// their natural size, transparency over white, cut files refused.
TEST(ExtraFormatLoading, NaturalSizeOverWhiteAndCutFilesFail) {
  QImage source = fixtures::QuadrantImage(40, 30).convertToFormat(QImage::Format_ARGB32);
  for (int y = 15; y < 30; ++y) {
    for (int x = 20; x < 40; ++x) source.setPixel(x, y, qRgba(0, 0, 0, 0));  // hidden black must not show
  }
  const std::pair<const char*, QByteArray> files[] = {{"webp", fixtures::EncodeImage(source, "webp", 100)},
                                                      {"tiff", fixtures::EncodeImage(source, "tiff")},
                                                      {"avif", EncodeAvif(source)}};
  for (const auto& [format, bytes] : files) {
    SCOPED_TRACE(format);
    ASSERT_GT(bytes.size(), 0);
    const QImage image = Decode(bytes);
    EXPECT_EQ(image.size(), QSize(40, 30));
    EXPECT_TRUE(fixtures::HasQuadrants(image, fixtures::kQuadrants, 2));
    EXPECT_TRUE(Refused(bytes.left(bytes.size() / 2), "damaged"));
  }
}

TEST(ExtraFormatLoading, OversizedAvifIsRefusedFromItsHeader) {
  QByteArray avif = EncodeAvif(fixtures::QuadrantImage(40, 30));
  // The image spatial extents box: size, "ispe", version and flags, then
  // width and height as big-endian 32-bit numbers.
  const qsizetype ispe = avif.indexOf("ispe");
  ASSERT_GT(ispe, 0);
  avif[ispe + 10] = static_cast<char>(40000 >> 8);
  avif[ispe + 11] = static_cast<char>(40000 & 0xFF);
  EXPECT_TRUE(Refused(avif, "40000 x 30 pixels, more than 32767"));
}

TEST(JpegLoading, NaturalSizeAndColours) {
  const QImage image = Decode(fixtures::MakeJpeg(64, 48));
  EXPECT_EQ(image.size(), QSize(64, 48));
  EXPECT_TRUE(fixtures::HasQuadrants(image, fixtures::kQuadrants, 24));
}

TEST(JpegLoading, ExifOrientationIsIgnored) {
  const QByteArray jpeg = fixtures::MakeJpeg(64, 48, 6);
  // The fixture's tag is effective: a reader that applies it turns the picture.
  QByteArray copy = jpeg;
  QBuffer buffer(&copy);
  buffer.open(QIODevice::ReadOnly);
  QImageReader turning(&buffer, "jpeg");
  turning.setAutoTransform(true);
  ASSERT_EQ(turning.read().size(), QSize(48, 64));

  const QImage image = Decode(jpeg);
  EXPECT_EQ(image.size(), QSize(64, 48));
  EXPECT_TRUE(fixtures::HasQuadrants(image, fixtures::kQuadrants, 24));
}

TEST(JpegLoading, CutStreamOrOversizedFails) {
  const QByteArray jpeg = fixtures::MakeJpeg(64, 48);
  EXPECT_TRUE(Refused(jpeg.left(jpeg.size() / 2), "ends early"));
  EXPECT_TRUE(Refused(jpeg.left(jpeg.size() - 2), "ends early"));  // the end-of-image marker
  // Compressed data cut short but framed again by an end-of-image marker:
  // the decoder fills the rest with grey and only warns.
  const qsizetype scanStart = jpeg.indexOf(QByteArray("\xFF\xDA", 2)) + 14;
  ASSERT_GT(scanStart, 14);
  const QByteArray cutScan = jpeg.left((scanStart + jpeg.size() - 2) / 2) + QByteArray("\xFF\xD9", 2);
  EXPECT_TRUE(Refused(cutScan, "Corrupt JPEG data"));
  EXPECT_TRUE(Refused(fixtures::WithJpegSize(jpeg, 40000, 48), "40000 x 48 pixels, more than 32767"));
}

TEST(JpegDamageWatch, OnlyWarningsOfMissingPixelsCount) {
  EXPECT_TRUE(IsJpegDamageWarning("Corrupt JPEG data: premature end of data segment"));
  EXPECT_TRUE(IsJpegDamageWarning("Corrupt JPEG data: bad Huffman code"));
  EXPECT_TRUE(IsJpegDamageWarning("Premature end of JPEG file"));
  EXPECT_FALSE(IsJpegDamageWarning("Corrupt JPEG data: 3 extraneous bytes before marker 0xd9"));
  EXPECT_FALSE(IsJpegDamageWarning("Warning: unknown JFIF revision number 1.03"));
}

TEST(DetectPictureFormat, ByLeadingBytes) {
  EXPECT_EQ(DetectPictureFormat("BM\x36\x00"), PictureFormat::Bmp);
  EXPECT_EQ(DetectPictureFormat("GIF87a"), PictureFormat::Gif);
  EXPECT_EQ(DetectPictureFormat("GIF89a"), PictureFormat::Gif);
  EXPECT_EQ(DetectPictureFormat("GIF90a"), PictureFormat::Unknown);
  EXPECT_EQ(DetectPictureFormat(QByteArrayView("\xFF\xD8\xFF\xE0", 4)), PictureFormat::Jpeg);
  EXPECT_EQ(DetectPictureFormat(QByteArrayView("\x89PNG\r\n\x1a\n", 8)), PictureFormat::Png);
  EXPECT_EQ(DetectPictureFormat(QByteArrayView("\0\0\1\0\1\0", 6)), PictureFormat::Icon);
  EXPECT_EQ(DetectPictureFormat(QByteArrayView("\0\0\1\0\0\0", 6)), PictureFormat::Unknown);
  EXPECT_EQ(DetectPictureFormat(QByteArrayView("\0\0\2\0\1\0", 6)), PictureFormat::Unknown);  // cursor
  EXPECT_EQ(DetectPictureFormat(QByteArrayView("\xD7\xCD\xC6\x9A", 4)), PictureFormat::PlaceableMetafile);
  EXPECT_EQ(DetectPictureFormat(QByteArrayView("\1\0\x09\0\0\x03", 6)), PictureFormat::PlainMetafile);
  EXPECT_EQ(DetectPictureFormat(QByteArrayView("\2\0\x09\0\0\x01", 6)), PictureFormat::PlainMetafile);
  EXPECT_EQ(DetectPictureFormat(QByteArrayView("RIFF\x10\0\0\0WEBP", 12)), PictureFormat::Webp);
  EXPECT_EQ(DetectPictureFormat(QByteArrayView("RIFF\x10\0\0\0WAVE", 12)), PictureFormat::Unknown);
  EXPECT_EQ(DetectPictureFormat(QByteArrayView("II*\0", 4)), PictureFormat::Tiff);
  EXPECT_EQ(DetectPictureFormat(QByteArrayView("MM\0*", 4)), PictureFormat::Tiff);
  EXPECT_EQ(DetectPictureFormat(QByteArrayView("\0\0\0\x1c"
                                               "ftypavif",
                                               12)),
            PictureFormat::Avif);
  EXPECT_EQ(DetectPictureFormat(QByteArrayView("\0\0\0\x1c"
                                               "ftypavis",
                                               12)),
            PictureFormat::Avif);
  EXPECT_EQ(DetectPictureFormat(QByteArrayView("\0\0\0\x1c"
                                               "ftypheic",
                                               12)),
            PictureFormat::Unknown);
  EXPECT_EQ(DetectPictureFormat("B"), PictureFormat::Unknown);
  EXPECT_EQ(DetectPictureFormat(""), PictureFormat::Unknown);
}

TEST(LoadPictureFile, FormatComesFromContentNotExtension) {
  QTemporaryDir dir;
  const QString path = fixtures::WriteFile(dir, QStringLiteral("really a png.bmp"),
                                           fixtures::EncodeImage(fixtures::QuadrantImage(8, 6), "png"));
  QImage image;
  const Outcome loaded = LoadPictureFile(path, image);
  ASSERT_TRUE(loaded.ok()) << loaded.why();
  EXPECT_EQ(image.size(), QSize(8, 6));
  EXPECT_TRUE(fixtures::HasQuadrants(image, fixtures::kQuadrants));
}

// An empty placeable metafile: frame 0, 0 to 192, 96 at 192 units an inch.
QByteArray EmptyPlaceableMetafile() {
  const std::uint16_t placeable[10] = {0xCDD7, 0x9AC6, 0, 0, 0, 192, 96, 192, 0, 0};
  std::uint16_t checksum = 0;
  for (std::uint16_t word : placeable) checksum ^= word;
  // Metafile header (type 1, 9 words, version 0x300, 12 words in all), then the end record.
  const std::uint16_t rest[] = {checksum, 1, 9, 0x300, 12, 0, 0, 3, 0, 0, 3, 0, 0};
  QByteArray out;
  for (std::uint16_t word : placeable) out.append(static_cast<char>(word & 0xFF)).append(static_cast<char>(word >> 8));
  for (std::uint16_t word : rest) out.append(static_cast<char>(word & 0xFF)).append(static_cast<char>(word >> 8));
  return out;
}

TEST(LoadPictureFile, PlaceableMetafilesArePlayedAtTheirNaturalSize) {
  QTemporaryDir dir;
  const QString path = fixtures::WriteFile(dir, QStringLiteral("drawing.bmp"), EmptyPlaceableMetafile());
  QImage image;
  const Outcome loaded = LoadPictureFile(path, image);
  ASSERT_TRUE(loaded.ok()) << loaded.why();
  EXPECT_EQ(image.size(), QSize(96, 48));
  EXPECT_TRUE(fixtures::SameColour(image.pixel(50, 20), kWhite));
}

TEST(LoadPictureFile, FailuresNameTheFileAndKeepThePicture) {
  QTemporaryDir dir;
  const std::pair<QString, const char*> cases[] = {
      {fixtures::WriteFile(dir, QStringLiteral("notes.jpg"), "just some text"), "not a picture in a known format"},
      {fixtures::WriteFile(dir, QStringLiteral("empty.gif"), ""), "empty"},
      {fixtures::WriteFile(dir, QStringLiteral("plain.wmf"),
                           QByteArray("\1\0\x09\0\0\x03\x20\0\0\0\0\0\0\0\0\0\0\0", 18)),
       "without a placeable header"},
      {dir.filePath(QStringLiteral("missing.bmp")), "Cannot open"},
  };
  for (const auto& [path, reason] : cases) {
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(Qt::blue);
    const Outcome loaded = LoadPictureFile(path, image);
    const QString error = QString::fromStdString(loaded.why());
    EXPECT_FALSE(loaded.ok()) << path.toStdString();
    EXPECT_TRUE(error.contains(path)) << loaded.why();
    EXPECT_TRUE(error.contains(QLatin1String(reason))) << loaded.why();
    EXPECT_EQ(image.size(), QSize(2, 2));
    EXPECT_EQ(image.pixel(1, 1), kBlue);
  }
}

}  // namespace
}  // namespace qb
