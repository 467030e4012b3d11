// What qbbtool writes when the disk fills up or a book is made to fill it:
// an existing output stays as it was, and a small book whose page table
// repeats a large page is refused before anything is written.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <filesystem>
#include <fstream>

#include "book/book_reader.h"
#include "book/book_writer.h"
#include "common/utf8.h"
#include "image/pixel_transfer.h"
#include "qbbtool_test_support.h"
#include "support/full_disk.h"
#include "support/memory_limit.h"
#include "tools/qbbtool/comic_archive_writer.h"
#include "tools/qbbtool/commands.h"
#include "tools/qbbtool/page_picture.h"
#include "tools/qbbtool/repeated_pages_limit.h"

namespace qbbtool {
namespace {

namespace fs = std::filesystem;
using test::RunCommand;
using test::ScratchFolder;
using test::Slurp;

std::string Picture(const ScratchFolder& dir, const std::string& name, int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb(x * 7, y * 5, (x ^ y) & 0xFF));
  }
  const std::string path = dir / name;
  EXPECT_TRUE(image.save(QString::fromStdString(path), "BMP"));
  return path;
}

std::string Book(const ScratchFolder& dir, const std::string& name, const std::vector<std::string>& pictures) {
  Args args = {dir / name, "--author", "a"};
  args.insert(args.end(), pictures.begin(), pictures.end());
  std::string err;
  EXPECT_EQ(RunCommand(RunMake, args, &err), kExitOk) << err;
  return dir / name;
}

// Every page-table entry of the book pointed at its first page.
void RepeatFirstPage(const std::string& book) {
  qb::BookRecord record;
  ASSERT_EQ(qb::ReadBookHeader(qb::FromUtf8(book), record), qb::kBookSound);
  std::string bytes = Slurp(book);
  for (std::size_t i = 0; i < record.PageTable.size(); ++i) {
    qb::PutInt32(bytes, record.PageTable[0], 109 + static_cast<std::size_t>(record.TextLength) + 4 * i);
  }
  std::ofstream(book, std::ios::binary | std::ios::trunc) << bytes;
}

TEST(UnpackLimits, BitmapSizesAndTheAllowance) {
  EXPECT_EQ(BmpFileSize(1, 1), 54u + 4);
  EXPECT_EQ(BmpFileSize(4, 2), 54u + 2 * 12);
  EXPECT_EQ(BmpFileSize(5, 1), 54u + 16);
  EXPECT_EQ(BmpFileSize(0, 7), 0u);
  EXPECT_EQ(MaxUnpackedBytes(1000), 4000u + (64u << 20));
}

TEST(QbbtoolOutput, AFullDiskLeavesAnExistingPictureAsItWasAndNoNewOne) {
  ScratchFolder dir;
  const std::string book = Book(dir, "b.qbb", {Picture(dir, "p.bmp", 300, 200)});
  const std::string out = dir / "out.png";
  std::ofstream(out, std::ios::binary) << "the previous picture";
  std::string err;
  {
    qb::testing::FullDisk full(1024);
    EXPECT_EQ(RunCommand(RunPage, {book, "1", out}, &err), kExitCannotWrite);
    EXPECT_EQ(RunCommand(RunPage, {book, "1", dir / "new.png"}), kExitCannotWrite);
    EXPECT_EQ(RunCommand(RunThumbnail, {book, dir / "thumb.png"}), kExitCannotWrite);
  }
  EXPECT_NE(err.find("out.png"), std::string::npos) << err;
  EXPECT_EQ(Slurp(out), "the previous picture");
  EXPECT_FALSE(fs::exists(dir / "new.png"));
  EXPECT_FALSE(fs::exists(dir / "thumb.png"));
  ASSERT_EQ(RunCommand(RunPage, {book, "1", out}), kExitOk);
  EXPECT_EQ(QImage(QString::fromStdString(out)).size(), QSize(300, 200));
}

TEST(QbbtoolOutput, UnpackRefusesABookThatRepeatsALargePageToFillTheDisk) {
  ScratchFolder dir;
  const std::string large = Picture(dir, "large.bmp", 2000, 1000);
  const std::string small = Picture(dir, "small.bmp", 1, 1);
  std::vector<std::string> pictures = {large};
  pictures.insert(pictures.end(), 29, small);
  const std::string book = Book(dir, "filler.qbb", pictures);
  RepeatFirstPage(book);
  std::string err;
  EXPECT_EQ(RunCommand(RunUnpack, {book, dir / "out"}, &err), kExitDamaged);
  EXPECT_NE(err.find("repeats pages"), std::string::npos) << err;
  EXPECT_FALSE(fs::exists(dir / "out"));
}

TEST(QbbtoolOutput, ExportRefusesABookThatRepeatsALargePage) {
  ScratchFolder dir;
  const std::string large = Picture(dir, "large.bmp", 2000, 1000);
  std::vector<std::string> pictures = {large};
  pictures.insert(pictures.end(), 29, Picture(dir, "small.bmp", 1, 1));
  const std::string book = Book(dir, "filler.qbb", pictures);
  RepeatFirstPage(book);
  std::string err;
  EXPECT_EQ(RunCommand(RunExport, {book, dir / "out.cbz"}, &err), kExitDamaged);
  EXPECT_NE(err.find("repeats pages"), std::string::npos) << err;
  EXPECT_FALSE(fs::exists(dir / "out.cbz"));
}

// The first page cannot be written, and the second cannot be read: an
// export that went on after the failed write would report the second.
TEST(QbbtoolOutput, ExportStopsAtTheFirstFailedWrite) {
  ScratchFolder dir;
  // Noise: its picture is larger than any buffer on the way to the disk.
  QImage noise(200, 200, QImage::Format_RGB32);
  std::uint32_t state = 1;
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 200; ++x) noise.setPixel(x, y, (state = state * 1103515245u + 12345u) >> 8);
  }
  ASSERT_TRUE(noise.save(QString::fromStdString(dir / "noise.bmp"), "BMP"));
  const std::string book = Book(dir, "b.qbb", {dir / "noise.bmp", Picture(dir, "q.bmp", 30, 20)});
  qb::BookRecord record;
  ASSERT_EQ(qb::ReadBookHeader(qb::FromUtf8(book), record), qb::kBookSound);
  // Page 2 claims 0 x 0 pixels: it holds no picture.
  std::string bytes = Slurp(book);
  bytes.replace(static_cast<std::size_t>(record.PageTable[1] - 1), 4, std::string(4, '\0'));
  std::ofstream(book, std::ios::binary | std::ios::trunc) << bytes;
  ASSERT_EQ(RunCommand(RunExport, {book, dir / "check.cbz"}), kExitDamaged);
  const std::string out = dir / "out.cbz";
  std::ofstream(out, std::ios::binary) << "the previous archive";
  std::string err;
  {
    qb::testing::FullDisk full(1024);
    EXPECT_EQ(RunCommand(RunExport, {book, out}, &err), kExitCannotWrite) << err;
  }
  EXPECT_NE(err.find("cannot write " + out), std::string::npos) << err;
  EXPECT_EQ(Slurp(out), "the previous archive");
}

TEST(QbbtoolOutput, UnpackWritesRepeatedPagesWithinTheAllowance) {
  ScratchFolder dir;
  const std::string picture = Picture(dir, "p.bmp", 40, 30);
  const std::string book = Book(dir, "again.qbb", {picture, Picture(dir, "q.bmp", 2, 2), picture});
  RepeatFirstPage(book);
  std::string err;
  ASSERT_EQ(RunCommand(RunUnpack, {book, dir / "out"}, &err), kExitOk) << err;
  const QImage first(QString::fromStdString(dir / "out/page001.bmp"));
  EXPECT_EQ(first.size(), QSize(40, 30));
  EXPECT_EQ(QImage(QString::fromStdString(dir / "out/page002.bmp")), first);
  EXPECT_EQ(QImage(QString::fromStdString(dir / "out/page003.bmp")), first);
}

TEST(PageAsPicture, SharesThePagesPixelsAndShowsWhatThePixelTransferShows) {
  qb::PageImage page;
  page.Width = 3;
  page.Height = 2;
  page.Pixels = {0x010203, 0x040506, 0x070809, 0x0A0B0C, 0x0D0E0F, 0x101112, 0};
  QImage expected(3, 2, QImage::Format_RGB32);
  ASSERT_EQ(qb::PixelsToPicture(expected, page.Pixels), 0);
  const QImage shared = PageAsPicture(page);
  EXPECT_EQ(shared, expected);
  EXPECT_EQ(shared.constBits(), reinterpret_cast<const uchar*>(page.Pixels.data()));
  qb::PageImage empty;
  EXPECT_TRUE(PageAsPicture(empty).isNull());
}

TEST(QbbtoolOutput, PageAndUnpackNeedAtMostFiveBytesAPixelOfThePage) {
#ifdef QB_TEST_UNDER_ASAN
  GTEST_SKIP() << "the sanitizer reserves more address space than any limit allows";
#else
  ScratchFolder dir;
  constexpr int kWidth = 6000;
  constexpr int kHeight = 5000;
  // Made in a child: the heap it frees would otherwise be room the limit
  // below does not count.
  const std::string book = dir / "large.qbb";
  ASSERT_EQ(qb::testing::RunWithMemoryLimit(
                0,
                [&] {
                  return RunCommand(RunMake, {book, "--author", "a", Picture(dir, "large.bmp", kWidth, kHeight)});
                }),
            kExitOk);
  const std::size_t bound = 5 * std::size_t{kWidth} * kHeight + 64 * qb::testing::kMiB;
  EXPECT_EQ(qb::testing::RunWithMemoryLimit(bound,
                                            [&] {
                                              return RunCommand(RunPage, {book, "1", dir / "p.png"});
                                            }),
            kExitOk);
  EXPECT_EQ(QImage(QString::fromStdString(dir / "p.png")).size(), QSize(kWidth, kHeight));
  EXPECT_EQ(qb::testing::RunWithMemoryLimit(bound,
                                            [&] {
                                              return RunCommand(RunUnpack, {book, dir / "out"});
                                            }),
            kExitOk);
  EXPECT_EQ(QImage(QString::fromStdString(dir / "out/page001.bmp")).size(), QSize(kWidth, kHeight));
  EXPECT_EQ(qb::testing::RunWithMemoryLimit(bound,
                                            [&] {
                                              return RunCommand(RunThumbnail, {book, dir / "t.png"});
                                            }),
            kExitOk);
#endif
}

// A 24-bit bitmap written a row at a time, so the test holds no page.
std::string LargeBitmap(const ScratchFolder& dir, int w, int h) {
  const std::uint32_t stride = (static_cast<std::uint32_t>(w) * 3 + 3) & ~3u;
  std::string header(54, '\0');
  header[0] = 'B', header[1] = 'M';
  qb::PutInt32(header, static_cast<std::int32_t>(54 + stride * h), 2);
  qb::PutInt32(header, 54, 10);
  qb::PutInt32(header, 40, 14);
  qb::PutInt32(header, w, 18);
  qb::PutInt32(header, h, 22);
  qb::PutInt16(header, 1, 26);
  qb::PutInt16(header, 24, 28);
  const std::string path = dir / "large.bmp";
  std::ofstream out(path, std::ios::binary);
  out << header;
  std::string row(stride, '\0');
  for (int y = 0; y < h; ++y) {
    for (std::uint32_t k = 0; k < stride; ++k) row[k] = static_cast<char>(k * 7 + y);
    out << row;
  }
  return path;
}

// A picture with translucent pixels in a comic archive, and a plain
// bitmap: make needs at most 5 bytes a pixel of the page for either.
TEST(QbbtoolOutput, MakeNeedsAtMostFiveBytesAPixelOfThePage) {
#ifdef QB_TEST_UNDER_ASAN
  GTEST_SKIP() << "the sanitizer reserves more address space than any limit allows";
#else
  ScratchFolder dir;
  const auto bound = [](int w, int h) { return 5 * std::size_t(w) * h + 64 * qb::testing::kMiB; };
  constexpr int kSide = 5000;
  const std::string cbz = dir / "translucent.cbz";
  ASSERT_EQ(qb::testing::RunWithMemoryLimit(
                0,
                [&] {
                  QImage picture(kSide, kSide, QImage::Format_ARGB32);
                  for (int y = 0; y < kSide; ++y) {
                    auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
                    for (int x = 0; x < kSide; ++x) line[x] = qRgba(x, y, 9, y / 20);
                  }
                  QByteArray png;
                  QBuffer buffer(&png);
                  buffer.open(QIODevice::WriteOnly);
                  picture.save(&buffer, "PNG");
                  QFile file(QString::fromStdString(cbz));
                  file.open(QIODevice::WriteOnly);
                  ComicArchiveWriter archive(file, 0);
                  return archive.Add("p.png", png, ComicArchiveWriter::Packing::Store) && archive.Finish() ? 0 : 1;
                }),
            0);
  EXPECT_EQ(qb::testing::RunWithMemoryLimit(bound(kSide, kSide),
                                            [&] {
                                              return RunCommand(RunMake, {dir / "a.qbb", "--author", "a", cbz});
                                            }),
            kExitOk);
  qb::PageImage page;
  qb::BookRecord record;
  ASSERT_EQ(qb::ReadBookHeader(qb::FromUtf8(dir / "a.qbb"), record), qb::kBookSound);
  ASSERT_EQ(qb::ReadPageHeader(qb::FromUtf8(dir / "a.qbb"), page, record.PageTable[0]), qb::kBookSound);
  EXPECT_EQ(page.Width, kSide);

  constexpr int kWidth = 8000;
  constexpr int kHeight = 7000;
  const std::string bitmap = LargeBitmap(dir, kWidth, kHeight);
  EXPECT_EQ(qb::testing::RunWithMemoryLimit(bound(kWidth, kHeight),
                                            [&] {
                                              return RunCommand(RunMake, {dir / "b.qbb", "--author", "a", bitmap});
                                            }),
            kExitOk);
  EXPECT_TRUE(fs::exists(dir / "b.qbb"));
#endif
}

}  // namespace
}  // namespace qbbtool
