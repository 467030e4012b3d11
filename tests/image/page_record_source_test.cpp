#include "image/page_record_source.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QSize>
#include <filesystem>
#include <random>

#include "book/book_file.h"
#include "book/book_reader.h"
#include "book/book_test_support.h"
#include "book/book_writer.h"
#include "image/book_page_thumbnail.h"
#include "image/classic_stretch.h"

namespace qb::test {
namespace {

constexpr std::uint32_t kUntouched = 0x12345678u;

// A book of pages of random colours; the last record ends the file.
struct RandomBook {
  RandomBook(const std::vector<QSize>& sizes, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<std::uint32_t> colour(0, 0xFFFFFF);
    FakeSurface surface;
    std::vector<std::u16string> names;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
      PixelArray pixels;
      for (int k = 0; k < sizes[i].width() * sizes[i].height(); ++k) pixels.push_back(colour(random));
      names.push_back(u"p" + FromUtf8(std::to_string(i)));
      surface.pictures[names.back()] = Picture(sizes[i].width(), sizes[i].height(), std::move(pixels));
    }
    BookRecord book;
    book.PageCount = static_cast<std::int16_t>(sizes.size());
    EXPECT_EQ(WriteBook(path, book, names, surface), kWriteOk);
    table = book.PageTable;
  }
  void Cut(std::int64_t size) const {
    std::filesystem::resize_file(dir / "random.qbb", static_cast<std::uintmax_t>(size));
  }
  std::int64_t Size() const { return static_cast<std::int64_t>(std::filesystem::file_size(dir / "random.qbb")); }

  TempDir dir;
  std::u16string path = U16(dir / "random.qbb");
  std::vector<std::int32_t> table;
};

struct Stretched {
  bool drawn = false;
  std::vector<std::uint32_t> pixels;
};

Stretched Stretch(StretchSource& source, const DrawRect& place, int tw, int th) {
  Stretched out{false, std::vector<std::uint32_t>(static_cast<std::size_t>(tw) * th, kUntouched)};
  out.drawn = ClassicStretch().Draw(source, place, {out.pixels.data(), tw, th, tw});
  return out;
}

// The page decoded whole and stretched: what reading it in bands must give.
Stretched Reference(const std::u16string& path, std::int32_t position, const DrawRect& place, int tw, int th) {
  PageImage page;
  EXPECT_EQ(ReadPageImage(path, page, position), kBookSound);
  // The pixel array starts with the bottom row: walk it backwards.
  const std::uint32_t* top = page.Pixels.data() + static_cast<std::ptrdiff_t>(page.Height - 1) * page.Width;
  PixelRowsSource rows(page.Height > 0 ? top : page.Pixels.data(), page.Width, page.Height, -page.Width);
  return Stretch(rows, place, tw, th);
}

TEST(PageRecordSource, BandsOfAnySizeGiveTheDecodedPage) {
  // Sizes around the 16- and 32-pixel steps of the loops, a single column
  // and row, tall and wide; one source serves every page, so its kept
  // memory meets pages wider and narrower than the one before.
  const std::vector<QSize> sizes = {{37, 53}, {640, 480}, {1, 300}, {300, 1}, {2000, 95}, {95, 2000}, {33, 17}};
  const RandomBook book(sizes, 7);
  std::mt19937 random(3);
  for (const int bandRows : {1, 7, 0, 5000}) {
    PageRecordSource source(bandRows);
    for (std::size_t i = 0; i < sizes.size(); ++i) {
      const int w = sizes[i].width();
      const int h = sizes[i].height();
      std::uniform_int_distribution<int> shift(-40, 40);
      // Natural size, shrunk hard, enlarged and clipped on every side.
      const DrawRect places[] = {{shift(random), shift(random), w, h},
                                 {shift(random), shift(random), w / 3 + 1, h / 5 + 1},
                                 {-9, -5, w * 2 + 3, h * 3 + 1}};
      for (const DrawRect& place : places) {
        BookFile file(book.path);
        ASSERT_EQ(source.Open(file, book.table[i]), kBookSound);
        EXPECT_EQ(source.Width(), w);
        EXPECT_EQ(source.Height(), h);
        const Stretched banded = Stretch(source, place, 160, 120);
        EXPECT_TRUE(banded.drawn);
        EXPECT_EQ(banded.pixels, Reference(book.path, book.table[i], place, 160, 120).pixels)
            << "band " << bandRows << ", page " << w << "x" << h << " at " << place.x << "," << place.y << " "
            << place.width << "x" << place.height;
      }
    }
  }
}

TEST(PageRecordSource, LastRecordEndsTheFileToTheByte) {
  const RandomBook book({{50, 40}, {61, 29}}, 9);
  const std::int64_t whole = book.Size();
  ASSERT_EQ(book.table[1] - 1 + 6 + 3 * (61 * 29 + 1), whole);
  const DrawRect place{0, 0, 61, 29};
  struct Case {
    std::int64_t size;
    bool sound;
  };
  for (const Case& c : {Case{whole, true}, Case{whole - 1, false}}) {
    book.Cut(c.size);
    BookFile file(book.path);
    PageRecordSource source;
    const BookStatus expected = c.sound ? kBookSound : kBookDamaged;
    EXPECT_EQ(source.Open(file, book.table[1]), expected) << c.size;
    PageImage page;
    EXPECT_EQ(ReadPageImage(book.path, page, book.table[1]), expected) << c.size;
    EXPECT_EQ(ShrinkBookPage(book.path, book.table[1], QSize(3, 2)).isNull(), !c.sound) << c.size;
    if (c.sound) {
      EXPECT_EQ(Stretch(source, place, 61, 29).pixels, Reference(book.path, book.table[1], place, 61, 29).pixels);
    }
  }
}

TEST(PageRecordSource, BookCutShortAfterOpenFailsTheDraw) {
  // The record was whole when opened. Its last pixel byte is the top row's
  // last green value, read in the first band; the spare byte after it is
  // never read.
  const RandomBook book({{64, 48}, {70, 50}}, 4);
  const std::string bytes = ReadAll(book.dir / "random.qbb");
  const auto whole = static_cast<std::int64_t>(bytes.size());
  struct Case {
    std::int64_t size;
    bool drawn;
  };
  for (const Case& c : {Case{1000, false}, Case{book.table[1] + 6 + 70 * 25, false}, Case{whole - 2, false},
                        Case{whole - 1, true}, Case{0, false}}) {
    for (const int bandRows : {1, 0}) {
      WriteAll(book.dir / "random.qbb", bytes);
      BookFile file(book.path);
      PageRecordSource source(bandRows);
      ASSERT_EQ(source.Open(file, book.table[1]), kBookSound);
      book.Cut(c.size);
      EXPECT_EQ(Stretch(source, {0, 0, 35, 25}, 35, 25).drawn, c.drawn) << c.size << " band " << bandRows;
    }
  }
}

}  // namespace
}  // namespace qb::test
