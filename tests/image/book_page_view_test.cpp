#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <QImage>
#include <atomic>
#include <random>
#include <thread>

#include "book/book_reader.h"
#include "book/book_test_support.h"
#include "book/book_writer.h"
#include "image/book_page_thumbnail.h"
#include "image/book_page_view.h"
#include "image/pixel_transfer.h"
#include "image/view_drawing.h"

namespace qb::test {
namespace {

class BookPageViewTest : public ::testing::Test {
 protected:
  // Writes a book of the given pictures and returns its page table.
  std::vector<std::int32_t> Write(const std::vector<FakePicture>& pages) {
    FakeSurface surface;
    std::vector<std::u16string> names;
    for (std::size_t i = 0; i < pages.size(); ++i) {
      names.push_back(u"p" + FromUtf8(std::to_string(i)));
      surface.pictures[names.back()] = pages[i];
    }
    BookRecord book;
    book.PageCount = static_cast<std::int16_t>(pages.size());
    EXPECT_EQ(WriteBook(path, book, names, surface), kWriteOk);
    return book.PageTable;
  }

  // The page decoded whole and stretched: what the streaming path must equal.
  QImage Reference(std::int32_t position, QSize viewSize, double ratio) {
    PageImage page;
    EXPECT_EQ(ReadPageImage(path, page, position), 0);
    QImage picture;
    if (page.Width > 0 && page.Height > 0) {
      picture = QImage(page.Width, page.Height, QImage::Format_RGB32);
      EXPECT_EQ(PixelsToPicture(picture, page.Pixels), 0);
    }
    QImage view(viewSize, QImage::Format_RGB32);
    view.setDevicePixelRatio(ratio);
    DrawPageIntoView(view, picture, Qt::white);
    return view;
  }

  TempDir dir;
  std::u16string path = U16(dir / "pages.qbb");
};

FakePicture RandomPicture(std::mt19937& random, int width, int height) {
  PixelArray colours;
  std::uniform_int_distribution<std::uint32_t> colour(0, 0xFFFFFF);
  for (int i = 0; i < width * height; ++i) colours.push_back(colour(random));
  return Picture(width, height, std::move(colours));
}

TEST_F(BookPageViewTest, StreamingEqualsDecodingAndStretching) {
  std::mt19937 random(11);
  // Shrunk a little and a lot (more rows to a view row than are ANDed in
  // one pass), enlarged, natural size, tall and wide, odd widths around the
  // 16-pixel steps of the loops.
  const QSize sizes[] = {{1280, 960}, {333, 2000}, {17, 9}, {700, 481}, {2000, 95}, {639, 5000}, {31, 33}};
  std::vector<FakePicture> pages;
  for (const QSize size : sizes) pages.push_back(RandomPicture(random, size.width(), size.height()));
  const auto table = Write(pages);
  BookPageView pageView;
  for (const double ratio : {1.0, 2.0}) {
    for (const QSize logical : {QSize(638, 478), QSize(325, 221)}) {
      for (std::size_t i = 0; i < table.size(); ++i) {
        QImage view(logical * ratio, QImage::Format_RGB32);
        view.setDevicePixelRatio(ratio);
        ASSERT_EQ(pageView.Draw(path, table[i], view, Qt::white), 0);
        EXPECT_EQ(view, Reference(table[i], logical * ratio, ratio))
            << "page " << i << " in " << logical.width() << "x" << logical.height() << " at " << ratio;
      }
    }
  }
}

TEST_F(BookPageViewTest, PagesWithoutPixelsClearTheView) {
  // Pages of 0 x 0, 1 x 1 and 2 x 3000: the first and the last have nothing
  // to draw (2 x 3000 fits the height at a width of 0).
  std::mt19937 random(3);
  const auto table = Write({Picture(0, 0, {}), Picture(1, 1, {0x102030}), RandomPicture(random, 2, 3000)});
  BookPageView pageView;
  QImage view(60, 40, QImage::Format_RGB32);
  for (const std::int32_t position : {table[0], table[2]}) {
    view.fill(Qt::black);
    ASSERT_EQ(pageView.Draw(path, position, view, Qt::white), 0);
    for (int y = 0; y < view.height(); ++y) {
      for (int x = 0; x < view.width(); ++x) ASSERT_EQ(view.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;
    }
  }
  ASSERT_EQ(pageView.Draw(path, table[1], view, Qt::white), 0);
  EXPECT_EQ(view.pixel(29, 19), qRgb(0x10, 0x20, 0x30));
  EXPECT_EQ(view.pixel(30, 19), qRgb(255, 255, 255));
}

TEST_F(BookPageViewTest, UnreadableRecordLeavesOnlyBackground) {
  std::mt19937 random(5);
  const auto table = Write({RandomPicture(random, 50, 40), RandomPicture(random, 50, 40)});
  BookPageView pageView;
  QImage view(60, 40, QImage::Format_RGB32);
  QImage background(view.size(), QImage::Format_RGB32);
  background.fill(Qt::white);
  // Cut inside the second record; a position outside the file; no file.
  std::filesystem::resize_file(dir / "pages.qbb", static_cast<std::uintmax_t>(table[1] + 100));
  for (const auto& [book, position] : {std::pair{path, table[1]}, std::pair{path, table[1] + 1000000},
                                       std::pair{path, 0}, std::pair{U16(dir / "missing.qbb"), table[0]}}) {
    view.fill(Qt::black);
    EXPECT_EQ(pageView.Draw(book, position, view, Qt::white), kBookDamaged) << position;
    EXPECT_EQ(view, background) << position;
  }
  // The first page is whole and still shows.
  EXPECT_EQ(pageView.Draw(path, table[0], view, Qt::white), 0);
  EXPECT_NE(view, background);
}

TEST_F(BookPageViewTest, BookCutShortWhileReadFromAnotherThread) {
  std::mt19937 random(8);
  const auto table = Write({RandomPicture(random, 400, 300), RandomPicture(random, 300, 400)});
  const std::string bytes = ReadAll(dir / "pages.qbb");
  const QSize size(160, 120);
  QImage empty(size, QImage::Format_RGB32);
  empty.fill(Qt::white);
  std::vector<QImage> views;
  std::vector<PageImage> pages(2);
  std::vector<QImage> thumbnails;
  for (std::size_t i = 0; i < 2; ++i) {
    views.push_back(Reference(table[i], size, 1.0));
    ASSERT_EQ(ReadPageImage(path, pages[i], table[i]), kBookSound);
    thumbnails.push_back(ShrinkBookPage(path, table[i], QSize(40, 30)));
  }

  // Cut inside the first page's planes and put the bytes back, again and
  // again: a read finds either the page's own bytes or too few of them.
  const std::int64_t cut = table[0] + 1000;
  std::atomic<bool> stop{false};
  std::thread cutter([&] {
    const int fd = ::open((dir / "pages.qbb").c_str(), O_WRONLY);
    while (!stop) {
      if (::ftruncate(fd, cut) != 0) break;
      const std::size_t rest = bytes.size() - static_cast<std::size_t>(cut);
      if (::pwrite(fd, bytes.data() + cut, rest, cut) != static_cast<ssize_t>(rest)) break;
    }
    ::close(fd);
  });
  BookPageView pageView;
  QImage view(size, QImage::Format_RGB32);
  int damaged = 0;
  int sound = 0;
  int wrong = 0;
  for (int i = 0; i < 20000 && (i < 100 || damaged == 0 || sound == 0); ++i) {
    const std::size_t page = static_cast<std::size_t>(i % 2);
    const BookStatus drawn = pageView.Draw(path, table[page], view, Qt::white);
    (drawn == kBookSound ? sound : damaged) += 1;
    wrong += view != (drawn == kBookSound ? views[page] : empty);
    PageImage decoded;
    const BookStatus read = ReadPageImage(path, decoded, table[page]);
    wrong += read == kBookSound ? decoded.Pixels != pages[page].Pixels : decoded.Width != 0;
    const QImage thumbnail = ShrinkBookPage(path, table[page], QSize(40, 30));
    wrong += !thumbnail.isNull() && thumbnail != thumbnails[page];
  }
  stop = true;
  cutter.join();
  EXPECT_EQ(wrong, 0);
  EXPECT_GT(damaged, 0);
  EXPECT_GT(sound, 0);
}

}  // namespace
}  // namespace qb::test
