// The fuzzer's seed metafiles are made by the builder; this keeps the stored
// files equal to what it makes (QB_WRITE_METAFILE_SEEDS=1 rewrites them) and
// checks that each renders.
#include "image/metafile/metafile_player.h"
#include "metafile_builder.h"
#include "stored_seeds.h"

#include <gtest/gtest.h>
#include <functional>

namespace qb::test {
namespace {

struct Seed {
  const char* name;
  std::function<QByteArray()> make;
};

const Seed kSeeds[] = {
    {"shapes.wmf",
     [] {
       return MetafileBuilder(0, 0, 64, 48)
           .SetWindowOrg(-10, -10)
           .SetWindowExt(640, 480)
           .CreatePen(1, 0, qRgb(0, 0, 128))
           .CreateBrush(2, qRgb(200, 0, 0), 5)
           .SelectObject(0)
           .SelectObject(1)
           .Ellipse(0, 0, 300, 200)
           .Pie(QRect(QPoint(300, 0), QPoint(600, 300)), {600, 150}, {450, 0})
           .PolyPolygon({{{0, 300}, {200, 300}, {100, 450}}, {{50, 320}, {150, 320}, {100, 400}}})
           .RoundRect(320, 320, 620, 460, 40, 40)
           .Build();
     }},
    {"text.wmf",
     [] {
       FontRecord font;
       font.charset = 128;
       font.face = QByteArray("\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e");  // ＭＳ ゴシック
       return MetafileBuilder(0, 0, 80, 30)
           .CreateFont(font)
           .SelectObject(0)
           .SetTextAlign(0x0018)
           .TextOut(2, 20, QByteArray("\x93\xfa\x96\x7b"))  // 日本
           .ExtTextOut(40, 20, 0x0006, QRect(QPoint(40, 5), QPoint(78, 25)), "Ab", {10, 10})
           .Build();
     }},
    {"bitmap_clip.wmf",
     [] {
       return MetafileBuilder(0, 0, 32, 32)
           .SaveDc()
           .IntersectClipRect(0, 0, 24, 32)
           .ExcludeClipRect(4, 4, 8, 8)
           .StretchDib(QRect(0, 0, 32, 32), QRect(0, 0, 2, 2),
                       MakeDib24({{qRgb(255, 0, 0), qRgb(0, 255, 0)}, {qRgb(0, 0, 255), qRgb(0, 0, 0)}}))
           .RestoreDc(-1)
           .SetRop2(7)
           .PatBlt(0, 0, 16, 16, 0x005A0049)
           .Build();
     }},
};

TEST(MetafileFuzzSeeds, StoredSeedsMatchTheBuilderAndRender) {
  for (const Seed& seed : kSeeds) {
    const QByteArray made = seed.make();
    EXPECT_EQ(seeds::Stored("metafile", seed.name, made, "QB_WRITE_METAFILE_SEEDS"), made) << seed.name;
    QImage image;
    const Outcome rendered = RenderMetafile(made, image);
    EXPECT_TRUE(rendered) << seed.name << ": " << rendered.why();
  }
}

}  // namespace
}  // namespace qb::test
