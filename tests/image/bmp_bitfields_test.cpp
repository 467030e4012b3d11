#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <string>

#include "bmp_fixtures.h"
#include "image/bmp_masks.h"
#include "image/picture_loader.h"

namespace qb {
namespace {

using fixtures::BitfieldBmp;

struct Layout {
  const char* name;
  BitfieldBmp shape;
};

std::ostream& operator<<(std::ostream& out, const Layout& l) { return out << l.name; }

BitfieldBmp Masks(int bits, std::uint32_t r, std::uint32_t g, std::uint32_t b, std::uint32_t a = 0,
                  std::uint32_t headerSize = 40) {
  BitfieldBmp s;
  s.bits = bits;
  s.masks = {r, g, b, a};
  s.headerSize = headerSize;
  return s;
}

BitfieldBmp AlphaFields(BitfieldBmp s) {
  s.compression = fixtures::kBiAlphaBitFields;
  return s;
}

BitfieldBmp TopDown(BitfieldBmp s) {
  s.topDown = true;
  return s;
}

// The 8-bit value of a stored n-bit channel, worked out in floating point
// rather than the decoder's integer arithmetic; an empty channel is 0.
int Expected(std::uint32_t mask, int x, int y) {
  if (mask == 0) return 0;
  const double max = std::ldexp(1.0, std::popcount(mask)) - 1;
  return static_cast<int>(std::lround(fixtures::StoredChannel(mask, x, y) * 255.0 / max));
}

class BitfieldLayouts : public ::testing::TestWithParam<Layout> {};

TEST_P(BitfieldLayouts, EveryChannelSpansTheFullRange) {
  const BitfieldBmp& s = GetParam().shape;
  QImage image;
  const Outcome decoded = DecodePictureData(fixtures::MakeBitfieldBmp(s), image);
  ASSERT_TRUE(decoded.ok()) << decoded.why();
  ASSERT_EQ(image.size(), QSize(s.width, s.height));
  int mismatches = 0;
  for (int y = 0; y < s.height; ++y) {
    for (int x = 0; x < s.width; ++x) {
      const QRgb want = qRgb(Expected(s.masks[0], x, y), Expected(s.masks[1], x, y), Expected(s.masks[2], x, y));
      const QRgb got = image.pixel(x, y);
      if (got != want && mismatches++ < 3) {
        ADD_FAILURE() << "pixel " << x << "," << y << ": got " << std::hex << got << ", want " << want;
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
  // Column 1 stores every channel's maximum: white, whatever the widths,
  // but for the channels a layout leaves out.
  const auto full = [&](int channel) { return s.masks[channel] == 0 ? 0 : 255; };
  EXPECT_EQ(image.pixel(1, 0), qRgb(full(0), full(1), full(2)));
  EXPECT_EQ(image.pixel(0, s.height - 1), qRgb(0, 0, 0));
}

INSTANTIATE_TEST_SUITE_P(
    ContiguousMasks, BitfieldLayouts,
    ::testing::Values(
        Layout{"r5g6b5", Masks(16, 0xF800, 0x07E0, 0x001F)}, Layout{"x1r5g5b5", Masks(16, 0x7C00, 0x03E0, 0x001F)},
        Layout{"a4r4g4b4", Masks(16, 0x0F00, 0x00F0, 0x000F, 0xF000)},
        Layout{"x4r4g4b4", Masks(16, 0x0F00, 0x00F0, 0x000F)}, Layout{"r2g3b1", Masks(16, 0x0030, 0x000E, 0x0001)},
        Layout{"r3g10b3", Masks(16, 0xE000, 0x1FF8, 0x0007)},
        Layout{"r1g9b2a4", Masks(16, 0x8000, 0x7FC0, 0x0030, 0x000F)},
        Layout{"r16g1b15", Masks(32, 0x0000FFFF, 0x80000000, 0x7FFF0000)},
        Layout{"r1g1b1", Masks(16, 0x0004, 0x0002, 0x0001)}, Layout{"r8g8", Masks(16, 0xFF00, 0x00FF, 0)},
        Layout{"g8b8", Masks(32, 0, 0x0000FF00, 0x000000FF)}, Layout{"r5b5", Masks(16, 0x7C00, 0, 0x001F)},
        Layout{"r11g11b10", Masks(32, 0xFFE00000, 0x001FFC00, 0x000003FF)},
        Layout{"a2r10g10b10", Masks(32, 0x3FF00000, 0x000FFC00, 0x000003FF, 0xC0000000)},
        Layout{"a2b10g10r10", Masks(32, 0x000003FF, 0x000FFC00, 0x3FF00000, 0xC0000000)},
        Layout{"r7x1g8b7", Masks(32, 0xFE000000, 0x00FF0000, 0x0000FE00)},
        Layout{"r8x1g2b8a4", Masks(32, 0xFF000000, 0x00600000, 0x001FE000, 0x00001E00)},
        Layout{"r6x1g7b5a4", Masks(32, 0xFC000000, 0x01FC0000, 0x0003E000, 0x00001E00)},
        Layout{"b8g8r8", Masks(32, 0x000000FF, 0x0000FF00, 0x00FF0000)},
        Layout{"alphafields32", AlphaFields(Masks(32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000))},
        Layout{"alphafields16", AlphaFields(Masks(16, 0x0F00, 0x00F0, 0x000F, 0xF000))},
        Layout{"v2header", Masks(16, 0xF800, 0x07E0, 0x001F, 0, 52)},
        Layout{"v3header", Masks(32, 0xFFE00000, 0x001FFC00, 0x000003FF, 0, 56)},
        Layout{"v4header", Masks(16, 0x0F00, 0x00F0, 0x000F, 0xF000, 108)},
        Layout{"v5header", Masks(32, 0x3FF00000, 0x000FFC00, 0x000003FF, 0xC0000000, 124)},
        Layout{"v5alphafields", AlphaFields(Masks(32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000, 124))},
        Layout{"topdown", TopDown(Masks(16, 0xF800, 0x07E0, 0x001F))}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BmpWithoutMasks, FiveBitChannelsReachWhite) {
  // 16-bit pixels without masks are 5-5-5; 31 is white, 16 is 132.
  QByteArray file = fixtures::MakeBitfieldBmp(Masks(16, 0x7C00, 0x03E0, 0x001F));
  file[30] = 0;  // compression: none
  QImage image;
  const Outcome decoded = DecodePictureData(file, image);
  ASSERT_TRUE(decoded.ok()) << decoded.why();
  EXPECT_EQ(image.pixel(1, 0), qRgb(255, 255, 255));
  const int x = 4;
  const int y = 2;
  EXPECT_EQ(image.pixel(x, y), qRgb(Expected(0x7C00, x, y), Expected(0x03E0, x, y), Expected(0x001F, x, y)));
}

TEST(ScaleChannel, RoundsToTheNearestLevel) {
  EXPECT_EQ(bmp::ScaleChannel(31, 5), 255);
  EXPECT_EQ(bmp::ScaleChannel(16, 5), 132);  // 131.6
  EXPECT_EQ(bmp::ScaleChannel(1, 1), 255);
  EXPECT_EQ(bmp::ScaleChannel(0x8000, 16), 128);  // 127.5019
  EXPECT_EQ(bmp::ScaleChannel(0xFFFFFFFF, 32), 255);
  EXPECT_EQ(bmp::ScaleChannel(1, 3), 36);  // 36.43
}

struct BadMasks {
  const char* name;
  bmp::PixelMasks masks;
  int bits;
  const char* reason;
};

std::ostream& operator<<(std::ostream& out, const BadMasks& b) { return out << b.name; }

class RefusedMasks : public ::testing::TestWithParam<BadMasks> {};

TEST_P(RefusedMasks, WithAClearReason) {
  const BadMasks& b = GetParam();
  EXPECT_NE(bmp::MaskFault(b.masks, b.bits).indexOf(QLatin1String(b.reason)), -1)
      << bmp::MaskFault(b.masks, b.bits).toStdString();
  QImage image;
  const QByteArray file =
      fixtures::MakeBitfieldBmp(Masks(b.bits, b.masks.red, b.masks.green, b.masks.blue, b.masks.alpha, 56));
  const Outcome decoded = DecodePictureData(file, image);
  const QString why = QString::fromStdString(decoded.why());
  EXPECT_FALSE(decoded.ok());
  EXPECT_NE(why.indexOf(QLatin1String(b.reason)), -1) << decoded.why();
  EXPECT_TRUE(image.isNull());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, RefusedMasks,
    ::testing::Values(BadMasks{"noColour", {0, 0, 0, 0xF000}, 16, "colour masks are all empty"},
                      BadMasks{"gap", {0xF000, 0x0F00, 0x00F3, 0}, 16, "blue mask 0x000000f3 is not one run"},
                      BadMasks{"overlap", {0xFFE0, 0x07E0, 0x001F, 0}, 16, "green mask 0x000007e0 overlaps"},
                      BadMasks{"alphaOverlap", {0xFF0000, 0xFF00, 0xFF, 0xFF}, 32, "alpha mask 0x000000ff overlaps"},
                      BadMasks{"pastPixel", {0x1F0000, 0x07E0, 0x001F, 0}, 16, "reaches past its 16-bit pixels"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MaskFault, AcceptsAnEmptyAlphaAndFullWidthChannels) {
  EXPECT_TRUE(bmp::MaskFault({0x7C00, 0x03E0, 0x001F, 0}, 16).isEmpty());
  EXPECT_TRUE(bmp::MaskFault({0xFFFFFF00, 0x80, 0x7F, 0}, 32).isEmpty());
}

}  // namespace
}  // namespace qb
