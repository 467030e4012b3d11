// A thumbnail of page 1 for the desktop: shrunk straight from the book's
// planes against what file managers do with a JPEG (libjpeg's scaled
// decoding through QImageReader::setScaledSize). Both make a 256 x 192
// picture; writing it out is left to neither.
#include <benchmark/benchmark.h>

#include <QImageReader>

#include "bench/bench_fixtures.h"
#include "image/book_page_thumbnail.h"

namespace {

const QSize kThumbnail(256, 192);

void BM_BookThumbnail(benchmark::State& state) {
  const auto& fixture = bench::Fixture(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  const auto shrink = [&] {
    const QImage thumbnail = qb::ShrinkBookPage(fixture.book, fixture.position, kThumbnail);
    if (thumbnail.isNull()) state.SkipWithError("page unreadable");
    benchmark::DoNotOptimize(thumbnail.constBits());
  };
  shrink();
  const long faults = bench::MinorFaults();
  for (auto _ : state) shrink();
  bench::CountFaultsPerPage(state, faults);
}

void BM_JpegThumbnail(benchmark::State& state) {
  const auto& fixture = bench::Fixture(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  const QString path = QString::fromStdU16String(fixture.jpeg);
  const auto shrink = [&] {
    QImageReader reader(path);
    reader.setScaledSize(kThumbnail);
    const QImage thumbnail = reader.read();
    if (thumbnail.isNull()) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(thumbnail.constBits());
  };
  shrink();
  const long faults = bench::MinorFaults();
  for (auto _ : state) shrink();
  bench::CountFaultsPerPage(state, faults);
}

}  // namespace

BENCHMARK(BM_BookThumbnail)->Args({1280, 960})->Args({4000, 3000})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegThumbnail)->Args({1280, 960})->Args({4000, 3000})->Unit(benchmark::kMillisecond);
