// Damaged and hostile metafiles: each is refused with an error or renders
// what it validly holds, and none crashes, hangs or reads past its data.
#include "image/metafile/metafile_player.h"
#include "image/metafile/metafile_records.h"
#include "metafile_builder.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qb::test {
namespace {

constexpr QRgb kRed = qRgb(255, 0, 0);

bool Refused(const QByteArray& metafile) {
  QImage image;
  const Outcome rendered = RenderMetafile(metafile, image);
  EXPECT_EQ(rendered.ok(), rendered.why().empty()) << "an error exactly when refused";
  return !rendered;
}

MetafileBuilder RedSquare() {
  return MetafileBuilder(0, 0, 100, 100).CreateBrush(0, kRed).SelectObject(0).Rectangle(0, 0, 50, 50);
}

void SetUInt32(QByteArray* data, qsizetype offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) (*data)[offset + i] = char((value >> (8 * i)) & 0xFF);
}

TEST(MetafileDamage, TruncatedFileFails) {
  const QByteArray whole = RedSquare().Build();
  ASSERT_FALSE(Refused(whole));
  for (qsizetype cut : {1, 2, 6, 10, 20}) {
    EXPECT_TRUE(Refused(whole.left(whole.size() - cut))) << "cut " << cut;
  }
  EXPECT_TRUE(Refused(whole.left(30)));
}

TEST(MetafileDamage, RecordSizesAreChecked) {
  const QByteArray whole = RedSquare().Build();
  const qsizetype firstRecord = 22 + 18;
  QByteArray huge = whole;
  SetUInt32(&huge, firstRecord, 0x7FFFFFFF);
  EXPECT_TRUE(Refused(huge));
  QByteArray zero = whole;
  SetUInt32(&zero, firstRecord, 0);
  EXPECT_TRUE(Refused(zero)) << "a zero size would repeat the record forever";
  QByteArray two = whole;
  SetUInt32(&two, firstRecord, 2);
  EXPECT_TRUE(Refused(two));
}

TEST(MetafileDamage, CountsLargerThanTheRecordFail) {
  EXPECT_TRUE(Refused(MetafileBuilder(0, 0, 10, 10).Raw(0x0324, {30000, 0, 0, 5, 5}).Build()))
      << "polygon of 30000 points holding 2";
  EXPECT_TRUE(Refused(MetafileBuilder(0, 0, 10, 10).Raw(0x0325, {0xFFFF, 1, 1}).Build()));
  EXPECT_TRUE(Refused(MetafileBuilder(0, 0, 10, 10).Raw(0x0538, {2, 3, 0xFFFF, 0, 0, 1, 1, 2, 2}).Build()))
      << "polypolygon counts beyond its points";
  EXPECT_TRUE(Refused(MetafileBuilder(0, 0, 10, 10).Raw(0x0538, {0x7FFF, 1}).Build()))
      << "more polygon counts than words";
  EXPECT_TRUE(Refused(MetafileBuilder(0, 0, 10, 10).Raw(0x0521, {400, 0x4141, 0, 0}).Build()))
      << "TextOut string longer than the record";
  EXPECT_TRUE(Refused(MetafileBuilder(0, 0, 10, 10).Raw(0x0A32, {0, 0, 200, 0, 0x4141}).Build()))
      << "ExtTextOut string longer than the record";
  EXPECT_TRUE(Refused(MetafileBuilder(0, 0, 10, 10).Raw(0x00F7, {0x300, 500, 0, 0}).Build()))
      << "palette of 500 entries holding 1";
  EXPECT_TRUE(Refused(MetafileBuilder(0, 0, 10, 10).Raw(0x02FA, {0, 1}).Build())) << "pen cut short";
  EXPECT_TRUE(Refused(MetafileBuilder(0, 0, 10, 10).Raw(0x041B, {10, 10}).Build())) << "rectangle cut short";
}

TEST(MetafileDamage, UnknownRecordsAndEscapesAreSkipped) {
  const QImage image = RenderForTest(MetafileBuilder(0, 0, 100, 100)
                                         .Raw(0x0626, {0x000F, 4, 0x4357, 0x434D})  // an escape
                                         .Raw(0x7777, {1, 2, 3})
                                         .Raw(0x0419, {0, 0, 5, 5})  // flood fill
                                         .CreateBrush(0, kRed)
                                         .SelectObject(0)
                                         .Rectangle(0, 0, 50, 50)
                                         .Build());
  EXPECT_TRUE(IsColor(image, 25, 25, kRed));
}

TEST(MetafileDamage, NothingAfterTheEndRecordOrTheStatedSizeIsPlayed) {
  QByteArray data = MetafileBuilder(0, 0, 100, 100).Build();
  const QByteArray tail = RedSquare().Build().mid(22 + 18);
  const QImage afterEof = RenderForTest(data + tail);
  EXPECT_TRUE(IsColor(afterEof, 25, 25, qRgb(255, 255, 255)));

  // Without an end record the records simply run to the stated size.
  QByteArray noEof = RedSquare().Build();
  noEof.chop(6);
  SetUInt32(&noEof, 22 + 6, static_cast<uint32_t>((noEof.size() - 22) / 2));
  EXPECT_TRUE(IsColor(RenderForTest(noEof), 25, 25, kRed));
}

TEST(MetafileDamage, PicturesThatOverdrawWithoutEndAreRefused) {
  auto repaints = [](int count) {
    MetafileBuilder builder(0, 0, 1000, 100);
    builder.CreateBrush(0, kRed).SelectObject(0);
    for (int i = 0; i < count; ++i) builder.PatBlt(0, 0, 1000, 100);
    return builder.Build();
  };
  EXPECT_FALSE(Refused(repaints(100)));
  EXPECT_TRUE(Refused(repaints(3000)));
}

TEST(MetafileDamage, SingleRecordsThatWouldPaintForMinutesAreRefusedBeforeDrawing) {
  std::vector<QPoint> zigZag;
  std::vector<QPoint> detailed;
  for (int i = 0; i < 1500; ++i) {
    zigZag.emplace_back(i, i % 2 == 0 ? 0 : 2000);
    const double angle = i * 2 * 3.14159265 / 1500;
    detailed.emplace_back(1000 + static_cast<int>(900 * std::cos(angle)),
                          1000 + static_cast<int>(900 * std::sin(angle)));
  }
  const auto polygon = [](const std::vector<QPoint>& points) {
    return MetafileBuilder(0, 0, 2000, 2000).CreateBrush(0, kRed).SelectObject(0).Polygon(points).Build();
  };
  EXPECT_FALSE(Refused(polygon(detailed)));
  EXPECT_TRUE(Refused(polygon(zigZag)));

  // Spacing of zero stacks every glyph on one spot: the text box is empty,
  // but every glyph is still drawn.
  FontRecord huge;
  huge.height = -2000;
  const auto text = [&](int length) {
    return MetafileBuilder(0, 0, 2000, 2000)
        .CreateFont(huge)
        .SelectObject(0)
        .ExtTextOut(0, 0, 0, {}, QByteArray(length, 'M'), std::vector<int16_t>(length, 0))
        .Build();
  };
  EXPECT_FALSE(Refused(text(8)));
  EXPECT_TRUE(Refused(text(1000)));
}

TEST(MetafileDamage, RepeatedStateChangesStayBounded) {
  MetafileBuilder builder(0, 0, 100, 100);
  builder.CreateBrush(0, kRed).SelectObject(0);
  // Origins saturate instead of overflowing; saves beyond any real nesting
  // are ignored instead of growing without end.
  for (int i = 0; i < 70000; ++i) builder.Raw(wmf::kOffsetWindowOrg, {32767, 32767});
  for (int i = 0; i < 5000; ++i) builder.SaveDc();
  builder.RestoreDc(1).SetWindowOrg(0, 0).Rectangle(0, 0, 50, 50);
  QImage image;
  ASSERT_TRUE(RenderMetafile(builder.Build(), image));
  EXPECT_EQ(image.pixel(10, 10), kRed);
}

TEST(MetafileDamage, EveryCorruptedByteEitherFailsOrRendersTheFrame) {
  const QByteArray original = MetafileBuilder(0, 0, 120, 80)
                                  .CreatePen(0, 3, qRgb(0, 0, 0))
                                  .CreateBrush(2, kRed, 3)
                                  .CreateFont(FontRecord{})
                                  .SelectObject(0)
                                  .SelectObject(1)
                                  .SelectObject(2)
                                  .Polygon({{0, 0}, {100, 10}, {50, 70}})
                                  .ExtTextOut(5, 5, 0x0004, QRect(QPoint(0, 0), QPoint(60, 30)), "Ab", {9, 9})
                                  .StretchDib(QRect(60, 40, 50, 30), QRect(0, 0, 2, 1), MakeDib24({{kRed, kRed}}))
                                  .Build();
  for (qsizetype at = 0; at < original.size(); ++at) {
    for (uint8_t value : {uint8_t{0x00}, uint8_t{0x7F}, uint8_t{0xFF}}) {
      QByteArray damaged = original;
      damaged[at] = char(value);
      QImage image;
      const Outcome rendered = RenderMetafile(damaged, image);
      if (rendered) {
        ASSERT_EQ(image.format(), QImage::Format_RGB32) << "byte " << at;
        ASSERT_FALSE(image.isNull());
        ASSERT_EQ(qAlpha(image.pixel(image.width() - 1, image.height() - 1)), 255);
      } else {
        ASSERT_FALSE(rendered.why().empty()) << "byte " << at;
      }
    }
  }
}

}  // namespace
}  // namespace qb::test
