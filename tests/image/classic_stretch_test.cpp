#include <gtest/gtest.h>

#include <QImage>
#include <random>
#include <vector>

#include "image/classic_stretch.h"
#include "image/view_drawing.h"

namespace qb {
namespace {

constexpr std::uint32_t kUntouched = 0xFF123456u;

// A picture in memory, top row first, 0x00RRGGBB values.
struct Picture {
  int width;
  int height;
  std::vector<std::uint32_t> pixels;
  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

// The stretch of the whole picture onto a target of tw x th at place.
std::vector<std::uint32_t> Stretched(const Picture& picture, DrawRect place, int tw, int th) {
  std::vector<std::uint32_t> target(static_cast<std::size_t>(tw * th), kUntouched);
  PixelRowsSource source(picture.pixels.data(), picture.width, picture.height, picture.width);
  EXPECT_TRUE(ClassicStretch().Draw(source, place, {target.data(), tw, th, tw}));
  return target;
}

std::vector<std::uint32_t> Opaque(std::vector<std::uint32_t> colours) {
  for (auto& c : colours) c |= 0xFF000000u;
  return colours;
}

// Column i of this picture has every colour bit set except bit i, so a
// destination pixel shows exactly which source columns were ANDed into it.
Picture OneColumnPerBit(int width, int height) {
  Picture p{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) p.pixels.push_back(0xFFFFFFu & ~(1u << x));
  }
  return p;
}

std::uint32_t Without(std::initializer_list<int> bits) {
  std::uint32_t v = 0xFFFFFFu;
  for (int b : bits) v &= ~(1u << b);
  return 0xFF000000u | v;
}

TEST(StretchSpan, EachAxisCase) {
  // Equal: pixel for pixel.
  for (int j = 0; j < 5; ++j) EXPECT_EQ(SpanOfDestination(j, 5, 5), (StretchSpan{j, 1}));
  // Enlarging 3 onto 7: floor(j * 3 / 7).
  const int enlarged[] = {0, 0, 0, 1, 1, 2, 2};
  for (int j = 0; j < 7; ++j) EXPECT_EQ(SpanOfDestination(j, 3, 7), (StretchSpan{enlarged[j], 1})) << j;
  // Shrinking 7 onto 3: i goes to floor(i * 3 / 7), i.e. 0 0 0 1 1 2 2.
  EXPECT_EQ(SpanOfDestination(0, 7, 3), (StretchSpan{0, 3}));
  EXPECT_EQ(SpanOfDestination(1, 7, 3), (StretchSpan{3, 2}));
  EXPECT_EQ(SpanOfDestination(2, 7, 3), (StretchSpan{5, 2}));
  // A page of 32767 pixels shrunk to one takes all of them.
  EXPECT_EQ(SpanOfDestination(0, 32767, 1), (StretchSpan{0, 32767}));
  EXPECT_EQ(SpanOfDestination(32766, 1, 32767), (StretchSpan{0, 1}));
}

TEST(ClassicStretch, CheckerAtTwiceTheSizeShrinksToItsAnd) {
  Picture checker{8, 6, {}};
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 8; ++x) checker.pixels.push_back((x + y) % 2 ? 0x8F8F8Fu : 0xF0F0F0u);
  }
  const auto out = Stretched(checker, {0, 0, 4, 3}, 4, 3);
  for (std::uint32_t p : out) EXPECT_EQ(p, 0xFF808080u);
}

TEST(ClassicStretch, UnlikeColoursCombineBitByBit) {
  // 2 x 2 onto 1 x 1: every channel ANDed on its own.
  const Picture p{2, 2, {0xF0F00Fu, 0x0FF0FFu, 0xFFFFFFu, 0xF3FF3Cu}};
  EXPECT_EQ(Stretched(p, {0, 0, 1, 1}, 1, 1), Opaque({0x00F00Cu}));
  // Black swallows everything; white changes nothing.
  const Picture q{3, 1, {0xFFFFFFu, 0x123456u, 0xFFFFFFu}};
  EXPECT_EQ(Stretched(q, {0, 0, 1, 1}, 1, 1), Opaque({0x123456u}));
}

TEST(ClassicStretch, NonIntegerShrinkTakesExactlyItsColumns) {
  // 7 columns onto 3: {0, 1, 2}, {3, 4}, {5, 6}; the edges go to the right side.
  const auto across = Stretched(OneColumnPerBit(7, 1), {0, 0, 3, 1}, 3, 1);
  EXPECT_EQ(across, (std::vector<std::uint32_t>{Without({0, 1, 2}), Without({3, 4}), Without({5, 6})}));
  // 5 onto 4: i -> floor(i * 4 / 5) gives 0 0 1 2 3; only the first pixel takes two.
  const auto nearly = Stretched(OneColumnPerBit(5, 1), {0, 0, 4, 1}, 4, 1);
  EXPECT_EQ(nearly, (std::vector<std::uint32_t>{Without({0, 1}), Without({2}), Without({3}), Without({4})}));
}

TEST(ClassicStretch, EnlargingRepeatsPixelsWithoutBlending) {
  // 2 x 2 onto 5 x 3: columns 0 0 0 1 1, rows 0 0 1.
  const Picture p{2, 2, {0x000001u, 0x000002u, 0x000003u, 0x000004u}};
  const auto out = Stretched(p, {0, 0, 5, 3}, 5, 3);
  EXPECT_EQ(out, Opaque({1, 1, 1, 2, 2,  //
                         1, 1, 1, 2, 2,  //
                         3, 3, 3, 4, 4}));
}

TEST(ClassicStretch, MixedAxesShrinkOneWayAndEnlargeTheOther) {
  // 4 x 2 onto 2 x 4: across pairs ANDed, down each row shown twice.
  const Picture p{4,
                  2,
                  {0x0000F0u, 0x00003Fu, 0xFF0000u, 0xF00000u,  //
                   0x00FF00u, 0x000F00u, 0x0000FFu, 0x00000Fu}};
  const auto out = Stretched(p, {0, 0, 2, 4}, 2, 4);
  EXPECT_EQ(out, Opaque({0x000030u, 0xF00000u,  //
                         0x000030u, 0xF00000u,  //
                         0x000F00u, 0x00000Fu,  //
                         0x000F00u, 0x00000Fu}));
  // The other way round: 2 x 4 onto 4 x 2.
  const Picture q{2,
                  4,
                  {0x0F0000u, 0x000001u,  //
                   0x030000u, 0x000003u,  //
                   0x00F000u, 0x00FF00u,  //
                   0x003C00u, 0x00F000u}};
  EXPECT_EQ(Stretched(q, {0, 0, 4, 2}, 4, 2), Opaque({0x030000u, 0x030000u, 0x000001u, 0x000001u,  //
                                                      0x003000u, 0x003000u, 0x00F000u, 0x00F000u}));
}

TEST(ClassicStretch, OnePixelHighPage) {
  // Shrunk across, kept down.
  EXPECT_EQ(Stretched(OneColumnPerBit(6, 1), {0, 0, 4, 1}, 4, 1),
            (std::vector<std::uint32_t>{Without({0, 1}), Without({2}), Without({3, 4}), Without({5})}));
  // Enlarged down to three rows, each the page's one row.
  const auto tall = Stretched(OneColumnPerBit(2, 1), {0, 0, 2, 3}, 2, 3);
  for (int y = 0; y < 3; ++y) {
    EXPECT_EQ(tall[static_cast<std::size_t>(2 * y)], Without({0}));
    EXPECT_EQ(tall[static_cast<std::size_t>(2 * y + 1)], Without({1}));
  }
}

TEST(ClassicStretch, ClipsToTheTargetAndLeavesTheRestAlone) {
  const Picture p = OneColumnPerBit(8, 4);
  // Whole: 8 x 4 onto 4 x 2 at (0, 0) on a target of 4 x 2.
  const auto whole = Stretched(p, {0, 0, 4, 2}, 4, 2);
  // The same place shifted by (-1, +1) on a 4 x 2 target: column 0 and the
  // second row fall outside; the first row is left as it was.
  const auto shifted = Stretched(p, {-1, 1, 4, 2}, 4, 2);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(shifted[static_cast<std::size_t>(x)], kUntouched) << x;
  for (int x = 0; x < 3; ++x)
    EXPECT_EQ(shifted[static_cast<std::size_t>(4 + x)], whole[static_cast<std::size_t>(x + 1)]);
  EXPECT_EQ(shifted[7], kUntouched);
  // Entirely outside, or of no size: nothing is touched.
  for (const DrawRect place : {DrawRect{4, 0, 4, 2}, DrawRect{0, -2, 4, 2}, DrawRect{0, 0, 0, 2}}) {
    for (std::uint32_t v : Stretched(p, place, 4, 2)) EXPECT_EQ(v, kUntouched);
  }
}

TEST(ClassicStretch, AgreesWithTheRuleOnRandomPicturesAndPlaces) {
  std::mt19937 random(7);
  const auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  for (int round = 0; round < 200; ++round) {
    Picture p{pick(1, 23), pick(1, 23), {}};
    // Mostly light pixels with a few dark bits, as on a page of line art.
    for (int i = 0; i < p.width * p.height; ++i) {
      p.pixels.push_back(0xFFFFFFu & ~(1u << pick(0, 23)) & ~(1u << pick(0, 23)));
    }
    const int tw = pick(1, 30), th = pick(1, 30);
    const DrawRect place{pick(-10, 10), pick(-10, 10), pick(1, 40), pick(1, 40)};
    const auto out = Stretched(p, place, tw, th);
    for (int ty = 0; ty < th; ++ty) {
      for (int tx = 0; tx < tw; ++tx) {
        const int j = tx - place.x, k = ty - place.y;
        std::uint32_t expected = kUntouched;
        if (j >= 0 && j < place.width && k >= 0 && k < place.height) {
          // Straight from the rule: enlarged axes pick floor(j * S / D),
          // shrunk ones AND every i with floor(i * D / S) == j.
          expected = 0xFFFFFFu;
          for (int y = 0; y < p.height; ++y) {
            const bool rowIn =
                place.height >= p.height ? y == k * p.height / place.height : y * place.height / p.height == k;
            for (int x = 0; x < p.width && rowIn; ++x) {
              const bool columnIn =
                  place.width >= p.width ? x == j * p.width / place.width : x * place.width / p.width == j;
              if (columnIn) expected &= p.At(x, y);
            }
          }
          expected |= 0xFF000000u;
        }
        ASSERT_EQ(out[static_cast<std::size_t>(ty * tw + tx)], expected)
            << "round " << round << " at " << tx << "," << ty;
      }
    }
  }
}

TEST(ViewDrawingDevicePixels, LogicalPlacesScaleWithTheirEdges) {
  EXPECT_EQ(ToDevicePixels({3, -5, 10, 7}, 1.0), (DrawRect{3, -5, 10, 7}));
  EXPECT_EQ(ToDevicePixels({3, -5, 10, 7}, 2.0), (DrawRect{6, -10, 20, 14}));
  // 1.5: edges 1.5 -> 2 and 3 -> 3 (rounded), so the width is 1, not 1.5 -> 2.
  EXPECT_EQ(ToDevicePixels({1, 0, 1, 3}, 1.5), (DrawRect{2, 0, 1, 5}));
}

TEST(ViewDrawingDevicePixels, HighDensityViewGetsThePageInItsOwnPixels) {
  // A 40 x 30 logical view at ratio 2 is 80 x 60 device pixels; a 1-pixel
  // grid page of 100 x 60 fits its width (r = 0.4: 40 x 24 logical, 80 x 48
  // device) and is drawn once at that size, not at 40 x 24 and enlarged.
  QImage view(80, 60, QImage::Format_RGB32);
  view.setDevicePixelRatio(2.0);
  QImage page(100, 60, QImage::Format_RGB32);
  page.fill(Qt::white);
  for (int y = 0; y < 60; ++y) page.setPixel(50, y, qRgb(0, 0, 0));
  const DrawRect drawn = DrawPageIntoView(view, page, Qt::gray);
  EXPECT_EQ(drawn, (DrawRect{0, 6, 80, 48}));
  // Column 50 goes to floor(50 * 80 / 100) = 40 alone: one device pixel wide.
  EXPECT_EQ(view.pixel(40, 30), qRgb(0, 0, 0));
  EXPECT_EQ(view.pixel(39, 30), qRgb(255, 255, 255));
  EXPECT_EQ(view.pixel(41, 30), qRgb(255, 255, 255));
  EXPECT_EQ(view.pixel(40, 5), QColor(Qt::gray).rgb());
  EXPECT_EQ(view.pixel(40, 6), qRgb(0, 0, 0));
}

}  // namespace
}  // namespace qb
