// The bitmap fuzzer's seeds are made by the fixture generators; this keeps
// the stored files showing what they make (QB_WRITE_BMP_SEEDS=1 rewrites
// them) and checks that each decodes.
#include <gtest/gtest.h>
#include <functional>

#include "bmp_fixtures.h"
#include "image/bmp_decoder.h"
#include "picture_fixtures.h"
#include "stored_seeds.h"

namespace qb {
namespace {

fixtures::BmpShape Shape(int bits, std::uint32_t compression = fixtures::kBiRgb, std::uint32_t headerSize = 40) {
  fixtures::BmpShape s;
  s.bits = bits;
  s.compression = compression;
  s.headerSize = headerSize;
  return s;
}

fixtures::BitfieldBmp Fields(int bits, std::array<std::uint32_t, 4> masks, std::uint32_t headerSize,
                             std::uint32_t compression = fixtures::kBiBitFields) {
  fixtures::BitfieldBmp s;
  s.bits = bits;
  s.masks = masks;
  s.headerSize = headerSize;
  s.compression = compression;
  return s;
}

struct Seed {
  const char* name;
  std::function<QByteArray()> make;
};

const Seed kSeeds[] = {
    {"mono.bmp", [] { return fixtures::MakeBmp(Shape(1)); }},
    {"four_bit.bmp", [] { return fixtures::MakeBmp(Shape(4)); }},
    {"core_eight_bit.bmp", [] { return fixtures::MakeBmp(Shape(8, fixtures::kBiRgb, 12)); }},
    {"rgb24.bmp", [] { return fixtures::MakeBmp(Shape(24)); }},
    {"rle4.bmp", [] { return fixtures::MakeBmp(Shape(4, fixtures::kBiRle4)); }},
    {"rle8_delta.bmp",
     [] {
       return fixtures::MakeRleBmp(8, 8, 4, {fixtures::kBlue, fixtures::kRed},
                                   fixtures::Bytes({1, 1, 0, 2, 2, 3, 0, 3, 0, 1, 1, 0, 0, 1}));
     }},
    {"r5g6b5.bmp",
     [] {
       return fixtures::MakeBitfieldBmp(Fields(16, {0xF800, 0x07E0, 0x001F, 0}, 40));
     }},
    {"a4r4g4b4_v3.bmp",
     [] {
       return fixtures::MakeBitfieldBmp(Fields(16, {0x0F00, 0x00F0, 0x000F, 0xF000}, 56));
     }},
    {"r11g11b10_v5.bmp",
     [] {
       return fixtures::MakeBitfieldBmp(Fields(32, {0xFFE00000, 0x001FFC00, 0x000003FF, 0}, 124));
     }},
    {"alpha_fields.bmp",
     [] {
       return fixtures::MakeBitfieldBmp(
           Fields(32, {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}, 40, fixtures::kBiAlphaBitFields));
     }},
};

TEST(BmpFuzzSeeds, StoredSeedsShowWhatTheGeneratorsMake) {
  for (const Seed& seed : kSeeds) {
    SCOPED_TRACE(seed.name);
    const QByteArray made = seed.make();
    EXPECT_EQ(seeds::Stored("bmp", seed.name, made, "QB_WRITE_BMP_SEEDS"), made);
    QImage image;
    const Outcome decoded = DecodeBmp(made, image);
    EXPECT_TRUE(decoded.ok()) << decoded.why();
  }
}

}  // namespace
}  // namespace qb
