#include <gtest/gtest.h>

#include <random>

#include "book/book_test_support.h"
#include "book/book_writer.h"
#include "image/book_page_thumbnail.h"

namespace qb::test {
namespace {

TEST(BookPageThumbnail, EachPixelAveragesThePagePixelsThatFallOnIt) {
  TempDir dir;
  const std::u16string path = U16(dir / "thumb.qbb");
  FakeSurface surface;
  // Bottom row first: top row 10 20 30 40 50 (blue) over a bottom row of
  // 0x000000, 0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF.
  surface.pictures[u"p"] = Picture(5, 2,
                                   {0x000000, 0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF,  //
                                    10, 20, 30, 40, 50});
  BookRecord book;
  book.PageCount = 1;
  ASSERT_EQ(WriteBook(path, book, {u"p"}, surface), kWriteOk);

  // 5 x 2 onto 2 x 1: columns {0, 1, 2} and {3, 4}, both rows; rounded.
  const QImage small = ShrinkBookPage(path, book.PageTable[0], QSize(2, 1));
  ASSERT_EQ(small.size(), QSize(2, 1));
  // Green 255 / 6 = 42.5 -> 43, blue (10 + 20 + 30 + 255) / 6 = 52.5 -> 53.
  EXPECT_EQ(small.pixel(0, 0), qRgb(0, 43, 53));
  // Red 510 / 4 = 127.5 -> 128, green 255 / 4 = 63.75 -> 64, blue 345 / 4 = 86.25 -> 86.
  EXPECT_EQ(small.pixel(1, 0), qRgb(128, 64, 86));
  // Its own size: the page itself, top row first.
  const QImage same = ShrinkBookPage(path, book.PageTable[0], QSize(5, 2));
  EXPECT_EQ(same.pixel(1, 0), qRgb(0, 0, 20));
  EXPECT_EQ(same.pixel(3, 1), qRgb(255, 0, 0));

  // Larger than the page, empty, or from a record that is not there.
  EXPECT_TRUE(ShrinkBookPage(path, book.PageTable[0], QSize(6, 2)).isNull());
  EXPECT_TRUE(ShrinkBookPage(path, book.PageTable[0], QSize(0, 1)).isNull());
  EXPECT_TRUE(ShrinkBookPage(path, book.PageTable[0] + 1000, QSize(2, 1)).isNull());
}

TEST(BookPageThumbnail, WidePagesAverageLikeNarrowOnes) {
  // 53 x 37 random pixels onto 10 x 7: columns of 5 or 6 and rows of 5 or 6,
  // each average computed here pixel by pixel.
  TempDir dir;
  const std::u16string path = U16(dir / "random.qbb");
  std::mt19937 random(23);
  PixelArray colours(53 * 37);
  for (auto& c : colours) c = random() & 0xFFFFFFu;
  FakeSurface surface;
  surface.pictures[u"p"] = Picture(53, 37, colours);
  BookRecord book;
  book.PageCount = 1;
  ASSERT_EQ(WriteBook(path, book, {u"p"}, surface), kWriteOk);
  const QImage small = ShrinkBookPage(path, book.PageTable[0], QSize(10, 7));
  ASSERT_EQ(small.size(), QSize(10, 7));
  for (int ty = 0; ty < 7; ++ty) {
    for (int tx = 0; tx < 10; ++tx) {
      std::uint64_t sum[3] = {0, 0, 0};
      std::uint64_t count = 0;
      for (int y = 0; y < 37; ++y) {
        for (int x = 0; x < 53; ++x) {
          if (x * 10 / 53 != tx || y * 7 / 37 != ty) continue;
          const std::uint32_t c = colours[static_cast<std::size_t>((36 - y) * 53 + x)];
          for (int i = 0; i < 3; ++i) sum[i] += (c >> (8 * i)) & 0xFF;
          ++count;
        }
      }
      const auto average = [&](int i) { return static_cast<int>((sum[i] + count / 2) / count); };
      ASSERT_EQ(small.pixel(tx, ty), qRgb(average(2), average(1), average(0))) << tx << "," << ty;
    }
  }
}

TEST(BookPageThumbnail, TallSpansAreSummedWithoutOverflow) {
  // 2 x 600 onto 1 x 1: 1200 pixels, more than 16-bit sums of bytes hold.
  TempDir dir;
  const std::u16string path = U16(dir / "tall.qbb");
  FakeSurface surface;
  PixelArray colours;
  for (int i = 0; i < 1200; ++i) colours.push_back(i % 4 == 0 ? 0xFFFFFFu : 0xFFFF00u);
  surface.pictures[u"p"] = Picture(2, 600, colours);
  BookRecord book;
  book.PageCount = 1;
  ASSERT_EQ(WriteBook(path, book, {u"p"}, surface), kWriteOk);
  // Blue: a quarter of the pixels at 255 gives 63.75 -> 64.
  EXPECT_EQ(ShrinkBookPage(path, book.PageTable[0], QSize(1, 1)).pixel(0, 0), qRgb(255, 255, 64));
}

}  // namespace
}  // namespace qb::test
