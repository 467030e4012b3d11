// The icon fuzzer's seeds are made by the fixture generator; this keeps the
// stored files showing what it makes (QB_WRITE_ICON_SEEDS=1 rewrites them)
// and checks that each decodes. Images are compared rather than bytes, since
// PNG bytes depend on the encoder's version.
#include <gtest/gtest.h>
#include <functional>

#include "image/icon_reader.h"
#include "picture_fixtures.h"
#include "stored_seeds.h"

namespace qb {
namespace {

using fixtures::IconImage;

IconImage Pattern(int side, int bits) {
  IconImage s;
  s.width = side;
  s.height = side;
  s.bits = bits;
  s.colour = [](int x, int y) {
    if ((x + y) % 3 == 0) return fixtures::kRed;
    return x < 4 ? fixtures::kBlue : fixtures::kGreen;
  };
  s.masked = [side](int x, int y) { return fixtures::InCorner(x, y, side); };
  return s;
}

IconImage Translucent(bool png) {
  IconImage s = Pattern(16, 32);
  s.png = png;
  s.colour = [](int x, int y) { return qRgba(255, x * 16, y * 16, (x * 37 + y) & 255); };
  return s;
}

struct Seed {
  const char* name;
  std::function<QByteArray()> make;
};

const Seed kSeeds[] = {
    {"mono_16.ico", [] { return fixtures::MakeIcon({Pattern(16, 1)}); }},
    {"four_bit_16.ico", [] { return fixtures::MakeIcon({Pattern(16, 4)}); }},
    {"eight_bit_8.ico", [] { return fixtures::MakeIcon({Pattern(8, 8)}); }},
    {"mask_24bit_16.ico", [] { return fixtures::MakeIcon({Pattern(16, 24)}); }},
    {"alpha_32bit_16.ico", [] { return fixtures::MakeIcon({Translucent(false)}); }},
    {"png_16.ico", [] { return fixtures::MakeIcon({Translucent(true)}); }},
    {"several_entries.ico",
     [] {
       return fixtures::MakeIcon({Pattern(8, 1), Pattern(16, 4), Pattern(8, 24)});
     }},
};

TEST(IconFuzzSeeds, StoredSeedsShowWhatTheGeneratorMakes) {
  for (const Seed& seed : kSeeds) {
    SCOPED_TRACE(seed.name);
    const QByteArray made = seed.make();
    QImage stored;
    QImage expected;
    const Outcome storedDecoded = DecodeIcon(seeds::Stored("icon", seed.name, made, "QB_WRITE_ICON_SEEDS"), stored);
    ASSERT_TRUE(storedDecoded.ok()) << storedDecoded.why();
    const Outcome madeDecoded = DecodeIcon(made, expected);
    ASSERT_TRUE(madeDecoded.ok()) << madeDecoded.why();
    EXPECT_EQ(stored, expected);
  }
}

}  // namespace
}  // namespace qb
