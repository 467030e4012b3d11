// The record reader, the object table and the saved device-context stack.
#include "image/metafile/metafile_dc_state.h"
#include "image/metafile/metafile_geometry.h"
#include "image/metafile/metafile_object_table.h"
#include "image/metafile/metafile_reader.h"
#include "image/metafile/metafile_work_budget.h"

#include <gtest/gtest.h>

namespace qb::wmf {
namespace {

TEST(MetafileRecordReader, SplitsRecordsAndRefusesImpossibleSizes) {
  const std::vector<uint8_t> two = {4, 0, 0, 0, 0x02, 0x01, 7, 0, 3, 0, 0, 0, 0, 0};
  RecordReader reader(two);
  Record record;
  ASSERT_EQ(reader.Next(&record), RecordReader::Step::Record);
  EXPECT_EQ(record.function, 0x0102);
  EXPECT_EQ(record.params.size(), 2u);
  EXPECT_EQ(record.params.Word(0), 7);
  EXPECT_EQ(record.params.Word(1), 0) << "reads past the parameters yield 0";
  ASSERT_EQ(reader.Next(&record), RecordReader::Step::Record);
  EXPECT_EQ(reader.Next(&record), RecordReader::Step::End);

  const std::vector<uint8_t> tooShort = {2, 0, 0, 0, 0, 0};
  EXPECT_EQ(RecordReader(tooShort).Next(&record), RecordReader::Step::Damaged);
  const std::vector<uint8_t> pastEnd = {4, 0, 0, 0, 0x02, 0x01};
  EXPECT_EQ(RecordReader(pastEnd).Next(&record), RecordReader::Step::Damaged);
  const std::vector<uint8_t> huge = {0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x01, 0, 0};
  EXPECT_EQ(RecordReader(huge).Next(&record), RecordReader::Step::Damaged);
  const std::vector<uint8_t> headerCut = {3, 0, 0};
  EXPECT_EQ(RecordReader(headerCut).Next(&record), RecordReader::Step::Damaged);
}

TEST(MetafileRecordParams, BoundsChecksSurviveOverflow) {
  const std::vector<uint8_t> bytes = {1, 2, 3, 4};
  const RecordParams params(bytes);
  EXPECT_TRUE(params.Has(0, 4));
  EXPECT_FALSE(params.Has(1, 4));
  EXPECT_FALSE(params.Has(2, SIZE_MAX));
  EXPECT_TRUE(params.Bytes(3, SIZE_MAX).empty());
  EXPECT_EQ(params.UInt32(0), 0x04030201u);
  EXPECT_EQ(params.UInt32(1), 0u);
}

TEST(MetafileObjectTable, NewObjectsTakeTheLowestFreeSlot) {
  ObjectTable table(3);
  EXPECT_EQ(table.Add(MetaPen{}), 0);
  EXPECT_EQ(table.Add(MetaBrush{}), 1);
  EXPECT_EQ(table.Add(MetaFont{}), 2);
  EXPECT_EQ(table.Add(MetaPen{}), -1) << "table full";
  table.Remove(1);
  table.Remove(0);
  table.Remove(0);  // already empty
  table.Remove(-5);
  table.Remove(99);
  EXPECT_EQ(table.Get(0), nullptr);
  EXPECT_EQ(table.Add(MetaPalette{}), 0);
  EXPECT_TRUE(std::holds_alternative<MetaPalette>(*table.Get(0)));
  EXPECT_EQ(table.Add(MetaPen{}), 1);
  EXPECT_TRUE(std::holds_alternative<MetaFont>(*table.Get(2)));
  EXPECT_EQ(table.Get(3), nullptr);
  EXPECT_EQ(table.Get(-1), nullptr);
}

TEST(MetafileDcStack, RelativeAndAbsoluteRestore) {
  DcStateStack stack;
  DcState state;
  for (int i = 1; i <= 3; ++i) {
    state.textCharExtra = i;
    stack.Save(state);
  }
  state.textCharExtra = 4;
  EXPECT_TRUE(stack.Restore(-2, &state));
  EXPECT_EQ(state.textCharExtra, 2);
  EXPECT_EQ(stack.depth(), 1u);
  EXPECT_FALSE(stack.Restore(0, &state));
  EXPECT_FALSE(stack.Restore(-2, &state));
  EXPECT_FALSE(stack.Restore(2, &state));
  EXPECT_EQ(state.textCharExtra, 2);
  EXPECT_TRUE(stack.Restore(1, &state));
  EXPECT_EQ(state.textCharExtra, 1);
  EXPECT_EQ(stack.depth(), 0u);
  EXPECT_FALSE(stack.Restore(-1, &state));
}

TEST(MetafileGeometry, BoxesAndArcAngles) {
  EXPECT_EQ(ExclusiveBox({30, 5}, {10, 25}), QRect(10, 5, 20, 20));
  EXPECT_EQ(ToPixel({1e300, -1e300}), QPoint(1 << 22, -(1 << 22)));
  EXPECT_EQ(ToPixel({std::nan(""), 2.5}), QPoint(0, 3));
  EXPECT_DOUBLE_EQ(RadialAngle({50, 50}, {100, 50}), 0);
  EXPECT_DOUBLE_EQ(RadialAngle({50, 50}, {50, 0}), 90);
  EXPECT_DOUBLE_EQ(RadialAngle({50, 50}, {50, 100}), 270);
  EXPECT_DOUBLE_EQ(CounterClockwiseSweep(350, 10), 20);
  EXPECT_DOUBLE_EQ(CounterClockwiseSweep(90, 0), 270);
  EXPECT_DOUBLE_EQ(CounterClockwiseSweep(45, 45), 360);
  // The 45 degree ray meets a 2:1 ellipse at parameter atan(2).
  EXPECT_NEAR(EllipseParameterAngle(45, 2, 1), 63.4349, 1e-3);
  EXPECT_NEAR(EllipseParameterAngle(225, 2, 1), 243.4349, 1e-3);
}

TEST(MetafileWorkBudget, ChargesOnlyPixelsInsideTheFrame) {
  WorkBudget budget(QRect(0, 0, 1000, 1000));  // room for kFrameRepaints (256) repaints
  for (int i = 0; i < 150; ++i) budget.ChargeArea(QRectF(-5000, -5000, 20000, 20000));
  EXPECT_FALSE(budget.exhausted());
  for (int i = 0; i < 50000; ++i) budget.ChargeStroke(1400, 1, QRectF(0, 0, 1000, 1000));
  EXPECT_FALSE(budget.exhausted()) << "long thin lines cost their length, not their box";
  for (int i = 0; i < 60; ++i) budget.ChargeArea(QRectF(0, 0, 1000, 1000));
  EXPECT_TRUE(budget.exhausted());
}

TEST(MetafileWorkBudget, ZigZagsAndStackedGlyphsCostMoreThanTheirBox) {
  // A detailed outline: many short edges, few crossings per scanline.
  WorkBudget outline(QRect(0, 0, 1000, 1000));
  for (int i = 0; i < 100; ++i) outline.ChargeScanConversion(20000, 1000);
  EXPECT_FALSE(outline.exhausted());
  // One polygon of 2000 edges zig-zagging over the whole height.
  WorkBudget zigZag(QRect(0, 0, 1000, 1000));
  zigZag.ChargeScanConversion(2000.0 * 1000, 1000);
  EXPECT_TRUE(zigZag.exhausted());

  WorkBudget glyphs(QRect(0, 0, 1000, 1000));
  for (int i = 0; i < 60; ++i) glyphs.ChargeArea(QRectF(0, 0, 1000, 1000), 4);
  EXPECT_FALSE(glyphs.exhausted());
  for (int i = 0; i < 10; ++i) glyphs.ChargeArea(QRectF(0, 0, 1000, 1000), 4);
  EXPECT_TRUE(glyphs.exhausted()) << "each glyph costs four fills of its box";
}

}  // namespace
}  // namespace qb::wmf
