#include "bench/bench_fixtures.h"

#include <sys/resource.h>

#include <QPainter>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "book/book_format.h"
#include "book/book_reader.h"
#include "book/book_writer.h"
#include "common/utf8.h"
#include "image/picture_surface_qt.h"

namespace bench {

QImage PhotoLikePicture(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      const int texture = static_cast<int>((x * 7919u + y * 104729u) % 37u);
      line[x] = qRgb((x * 255 / width + texture) & 0xFF, (y * 255 / height + texture) & 0xFF,
                     static_cast<int>(128 + 100 * std::sin((x + y) / 40.0)));
    }
  }
  QPainter painter(&image);
  painter.setBrush(QColor(250, 240, 200));
  painter.drawEllipse(QPoint(width / 3, height / 3), width / 8, height / 8);
  return image;
}

const PageFixture& Fixture(int width, int height) {
  static std::map<std::pair<int, int>, PageFixture> fixtures;
  const auto key = std::make_pair(width, height);
  if (const auto it = fixtures.find(key); it != fixtures.end()) return it->second;

  static const std::filesystem::path folder = [] {
    char pattern[] = "/tmp/qb-bench-XXXXXX";
    return std::filesystem::path(::mkdtemp(pattern));
  }();
  const std::string stem = (folder / (std::to_string(width) + "x" + std::to_string(height))).string();
  const QImage picture = PhotoLikePicture(width, height);
  picture.save(QString::fromStdString(stem + ".bmp"), "BMP");
  picture.save(QString::fromStdString(stem + ".jpg"), "JPEG", 90);

  PageFixture fixture;
  fixture.book = qb::FromUtf8(stem + ".qbb");
  fixture.bitmap = qb::FromUtf8(stem + ".bmp");
  fixture.jpeg = qb::FromUtf8(stem + ".jpg");
  qb::BookRecord book;
  book.PageCount = 1;
  qb::QtPictureSurface surface;
  if (qb::WriteBook(fixture.book, book, {fixture.bitmap}, surface) != qb::kWriteOk) std::abort();
  fixture.position = book.PageTable[0];
  fixture.recordBytes = qb::format::PageRecordSize(width, height);
  return fixtures.emplace(key, fixture).first->second;
}

long MinorFaults() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_minflt;
}

void CountFaultsPerPage(benchmark::State& state, long before) {
  state.counters["faults/page"] =
      benchmark::Counter(static_cast<double>(MinorFaults() - before), benchmark::Counter::kAvgIterations);
}

}  // namespace bench
