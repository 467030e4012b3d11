#include "image/icon_reader.h"

#include <gtest/gtest.h>

#include "image/picture_loader.h"
#include "picture_fixtures.h"

namespace qb {
namespace {

using fixtures::IconImage;
using fixtures::kBlack;
using fixtures::kBlue;
using fixtures::kGreen;
using fixtures::kRed;
using fixtures::kWhite;
using fixtures::MakeIcon;

IconImage Solid(int side, int bits, QRgb colour) {
  IconImage s;
  s.width = side;
  s.height = side;
  s.bits = bits;
  s.colour = [colour](int, int) { return colour; };
  return s;
}

QImage Decode(const QByteArray& icon) {
  QImage image;
  const Outcome decoded = DecodeIcon(icon, image);
  EXPECT_TRUE(decoded.ok()) << decoded.why();
  EXPECT_EQ(image.format(), QImage::Format_RGB32);
  return image;
}

TEST(ChooseIconEntry, PrefersThirtyTwoThenDepthThenSize) {
  const std::vector<IconCandidate> withPreferred = {{16, 16, 32}, {32, 32, 4}, {48, 48, 32}, {32, 32, 8}, {32, 32, 8}};
  EXPECT_EQ(ChooseIconEntry(withPreferred), 3u);  // deepest 32 x 32, first of equals
  const std::vector<IconCandidate> without = {{16, 16, 32}, {48, 48, 4}, {24, 24, 32}, {48, 48, 8}, {32, 16, 32}};
  EXPECT_EQ(ChooseIconEntry(without), 3u);  // largest, then deepest; 32 x 16 is not preferred
  EXPECT_EQ(ChooseIconEntry(std::vector<IconCandidate>{{16, 16, 1}}), 0u);
}

TEST(DecodeIcon, ChoosesTheDeepestThirtyTwoEntry) {
  const QImage image = Decode(MakeIcon(
      {Solid(16, 32, kRed), Solid(32, 4, kGreen), Solid(48, 32, kRed), Solid(32, 8, kBlue), Solid(32, 1, kRed)}));
  EXPECT_EQ(image.size(), QSize(32, 32));
  EXPECT_TRUE(fixtures::SameColour(image.pixel(16, 16), kBlue));
}

TEST(DecodeIcon, ChoosesTheLargestWithoutAThirtyTwoEntry) {
  const QImage image = Decode(MakeIcon({Solid(16, 24, kRed), Solid(48, 4, kGreen), Solid(24, 32, kBlue)}));
  EXPECT_EQ(image.size(), QSize(48, 48));
  EXPECT_TRUE(fixtures::SameColour(image.pixel(40, 40), kGreen));
}

TEST(DecodeIcon, DepthComesFromTheImageNotTheDirectory) {
  IconImage shallow = Solid(32, 4, kRed);
  IconImage deep = Solid(32, 24, kGreen);
  shallow.directoryBits = 32;  // directories often hold 0 or a wrong depth
  deep.directoryBits = 0;
  const QImage image = Decode(MakeIcon({shallow, deep}));
  EXPECT_TRUE(fixtures::SameColour(image.pixel(16, 16), kGreen));
}

TEST(DecodeIcon, PalettesOfEveryDepthDecode) {
  for (int bits : {1, 4, 8, 24}) {
    IconImage s = Solid(32, bits, kRed);
    // Left columns blue, a 3-pixel-wide stripe green: checks bit order within bytes.
    s.colour = [](int x, int y) { return x < 3 ? kBlue : (x < 6 && y < 16 ? kGreen : kRed); };
    if (bits == 1) s.colour = [](int x, int) { return x < 3 ? kBlue : kRed; };
    const QImage image = Decode(MakeIcon({s}));
    SCOPED_TRACE(bits);
    EXPECT_TRUE(fixtures::SameColour(image.pixel(0, 31), kBlue));
    EXPECT_TRUE(fixtures::SameColour(image.pixel(2, 0), kBlue));
    EXPECT_TRUE(fixtures::SameColour(image.pixel(3, 31), kRed));
    EXPECT_TRUE(fixtures::SameColour(image.pixel(31, 0), kRed));
    if (bits != 1) {
      EXPECT_TRUE(fixtures::SameColour(image.pixel(4, 0), kGreen));  // top rows come first
      EXPECT_TRUE(fixtures::SameColour(image.pixel(4, 31), kRed));
    }
  }
}

TEST(DecodeIcon, MaskMakesWhiteCornersOnTwentyFourBit) {
  IconImage s = Solid(32, 24, kBlue);
  s.colour = [](int x, int y) { return fixtures::InCorner(x, y, 32) ? kBlack : kBlue; };
  s.masked = [](int x, int y) { return fixtures::InCorner(x, y, 32); };
  const QImage image = Decode(MakeIcon({s}));
  EXPECT_TRUE(fixtures::SameColour(image.pixel(0, 0), kWhite));
  EXPECT_TRUE(fixtures::SameColour(image.pixel(31, 31), kWhite));
  EXPECT_TRUE(fixtures::SameColour(image.pixel(3, 28), kWhite));
  EXPECT_TRUE(fixtures::SameColour(image.pixel(4, 0), kBlue));
  EXPECT_TRUE(fixtures::SameColour(image.pixel(16, 16), kBlue));
}

TEST(DecodeIcon, MaskedColourInvertsTheWhiteBehindIt) {
  IconImage s = Solid(32, 8, kGreen);
  s.masked = [](int x, int) { return x < 16; };
  const QImage image = Decode(MakeIcon({s}));
  EXPECT_TRUE(fixtures::SameColour(image.pixel(0, 0), qRgb(255, 0, 255)));
  EXPECT_TRUE(fixtures::SameColour(image.pixel(16, 0), kGreen));
}

TEST(DecodeIcon, AlphaOfThirtyTwoBitIsBlendedAndTheMaskIgnored) {
  IconImage s = Solid(32, 32, kRed);
  s.colour = [](int x, int) {
    if (x < 8) return qRgba(0, 255, 0, 0);  // hidden green
    if (x < 16) return qRgba(255, 0, 0, 128);
    return qRgba(0, 0, 255, 255);
  };
  s.masked = [](int, int) { return true; };
  const QImage image = Decode(MakeIcon({s}));
  EXPECT_TRUE(fixtures::SameColour(image.pixel(0, 0), kWhite));
  EXPECT_TRUE(fixtures::SameColour(image.pixel(8, 0), qRgb(255, 127, 127), 1));
  EXPECT_TRUE(fixtures::SameColour(image.pixel(31, 31), kBlue));
}

TEST(DecodeIcon, ThirtyTwoBitWithoutAlphaUsesTheMask) {
  IconImage s = Solid(32, 32, kRed);
  s.colour = [](int x, int y) { return fixtures::InCorner(x, y, 32) ? qRgba(0, 0, 0, 0) : qRgba(255, 0, 0, 0); };
  s.masked = [](int x, int y) { return fixtures::InCorner(x, y, 32); };
  const QImage image = Decode(MakeIcon({s}));
  EXPECT_TRUE(fixtures::SameColour(image.pixel(0, 31), kWhite));
  EXPECT_TRUE(fixtures::SameColour(image.pixel(16, 16), kRed));
}

TEST(DecodeIcon, PngEntriesAreBlendedOverWhite) {
  IconImage s = Solid(32, 32, kRed);
  s.png = true;
  s.colour = [](int x, int) { return x < 16 ? qRgba(0, 255, 0, 0) : qRgba(0, 0, 255, 255); };
  const QImage image = Decode(MakeIcon({Solid(16, 32, kRed), s}));
  EXPECT_EQ(image.size(), QSize(32, 32));
  EXPECT_TRUE(fixtures::SameColour(image.pixel(0, 0), kWhite));
  EXPECT_TRUE(fixtures::SameColour(image.pixel(31, 0), kBlue));
}

TEST(DecodeIcon, LoadsThroughThePictureLoader) {
  QImage image;
  ASSERT_TRUE(DecodePictureData(MakeIcon({Solid(32, 24, kGreen)}), image).ok());
  EXPECT_EQ(image.size(), QSize(32, 32));
}

void PutU32(QByteArray& bytes, qsizetype at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

::testing::AssertionResult Refused(const QByteArray& icon, const char* reason) {
  QImage image;
  const Outcome decoded = DecodeIcon(icon, image);
  const QString why = QString::fromStdString(decoded.why());
  if (decoded) return ::testing::AssertionFailure() << "decoded";
  if (!image.isNull()) return ::testing::AssertionFailure() << "a picture was set";
  if (!why.contains(QLatin1String(reason)))
    return ::testing::AssertionFailure() << "reason \"" << why.toStdString() << "\" lacks \"" << reason << "\"";
  return ::testing::AssertionSuccess();
}

constexpr qsizetype kFirstSizeField = 6 + 8;
constexpr qsizetype kFirstOffsetField = 6 + 12;
constexpr qsizetype kFirstImage = 6 + 16;  // where a one-image icon's data starts

TEST(DamagedIcon, CutFilesFail) {
  const QByteArray icon = MakeIcon({Solid(32, 24, kRed)});
  EXPECT_TRUE(Refused(icon.left(icon.size() - 1), "outside the file"));
  EXPECT_TRUE(Refused(icon.left(kFirstImage + 20), "outside the file"));
  EXPECT_TRUE(Refused(icon.left(12), "directory is cut short"));
  EXPECT_TRUE(Refused(icon.left(4), "not an icon"));
}

TEST(DamagedIcon, EntriesPointingOutsideTheFileFail) {
  const QByteArray icon = MakeIcon({Solid(32, 24, kRed)});
  QByteArray pastEnd = icon;
  PutU32(pastEnd, kFirstOffsetField, static_cast<std::uint32_t>(icon.size()) + 10);
  EXPECT_TRUE(Refused(pastEnd, "image 1 lies outside the file"));
  QByteArray wrapping = icon;  // offset + size overflows 32 bits
  PutU32(wrapping, kFirstOffsetField, 0xFFFFFFF0u);
  EXPECT_TRUE(Refused(wrapping, "outside the file"));
  QByteArray hugeSize = icon;
  PutU32(hugeSize, kFirstSizeField, 0xFFFFFFFFu);
  EXPECT_TRUE(Refused(hugeSize, "outside the file"));
  QByteArray intoDirectory = icon;
  PutU32(intoDirectory, kFirstOffsetField, 2);
  EXPECT_TRUE(Refused(intoDirectory, "outside the file"));
}

TEST(DamagedIcon, ImpossibleImageHeadersFail) {
  const QByteArray icon = MakeIcon({Solid(32, 8, kRed)});
  auto patched = [&](qsizetype field, std::uint32_t value) {
    QByteArray bytes = icon;
    PutU32(bytes, kFirstImage + field, value);
    return bytes;
  };
  EXPECT_TRUE(Refused(patched(4, 0), "image 1 is damaged"));            // width
  EXPECT_TRUE(Refused(patched(4, 257), "image 1 is damaged"));          // wider than an icon can be
  EXPECT_TRUE(Refused(patched(8, 33), "image 1 is damaged"));           // odd doubled height
  EXPECT_TRUE(Refused(patched(8, 400), "image 1 is damaged"));          // more rows than the data holds
  EXPECT_TRUE(Refused(patched(12, 0x00070001), "image 1 is damaged"));  // 7 bits per pixel
  EXPECT_TRUE(Refused(patched(16, 1), "image 1 is damaged"));           // compressed
  EXPECT_TRUE(Refused(patched(32, 257), "image 1 is damaged"));         // more colours than 8 bits index
  EXPECT_TRUE(Refused(patched(0, 0xFFFF), "image 1 is damaged"));       // header larger than the image
}

TEST(DamagedIcon, MissingMaskFailsUnlessAlphaIsUsed) {
  IconImage noMask = Solid(32, 24, kRed);
  noMask.mask = false;
  EXPECT_TRUE(Refused(MakeIcon({noMask}), "mask is cut short"));
  IconImage alpha = Solid(32, 32, qRgba(255, 0, 0, 255));
  alpha.mask = false;
  EXPECT_TRUE(fixtures::SameColour(Decode(MakeIcon({alpha})).pixel(5, 5), kRed));
}

TEST(DamagedIcon, NoImagesOrDamagedPngFails) {
  EXPECT_TRUE(Refused(QByteArray("\0\0\1\0\0\0", 6), "no images"));
  IconImage png = Solid(32, 32, kRed);
  png.png = true;
  QByteArray icon = MakeIcon({png});
  EXPECT_TRUE(Refused(fixtures::WithPngSize(icon.mid(kFirstImage), 300, 32).prepend(icon.left(kFirstImage)),
                      "image 1 is damaged"));
  // A PNG image cut inside its pixel data, with the directory matching the cut.
  const qsizetype cut = (icon.size() - kFirstImage) / 2;
  QByteArray cutPng = icon.left(kFirstImage + cut);
  PutU32(cutPng, kFirstSizeField, static_cast<std::uint32_t>(cut));
  EXPECT_TRUE(Refused(cutPng, "PNG image is damaged"));
}

}  // namespace
}  // namespace qb
