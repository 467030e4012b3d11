// Writing a book page against decoding its picture alone: the writer's own
// cost on top of the decoder it cannot avoid.
#include <benchmark/benchmark.h>

#include <QImage>

#include "bench/bench_fixtures.h"
#include "book/book_writer.h"
#include "common/utf8.h"
#include "image/picture_loader.h"
#include "image/picture_surface_qt.h"

namespace {

void BM_WriteBookPage(benchmark::State& state) {
  const auto& fixture = bench::Fixture(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  const std::u16string out = fixture.book + u".out";
  qb::QtPictureSurface surface;
  const auto write = [&] {
    qb::BookRecord book;
    book.PageCount = 1;
    if (qb::WriteBook(out, book, {fixture.jpeg}, surface) != qb::kWriteOk) state.SkipWithError("write failed");
  };
  write();
  const long faults = bench::MinorFaults();
  for (auto _ : state) write();
  bench::CountFaultsPerPage(state, faults);
}

void BM_DecodePictureOnly(benchmark::State& state) {
  const auto& fixture = bench::Fixture(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  const QString path = QString::fromStdU16String(fixture.jpeg);
  const auto decode = [&] {
    QImage image;
    if (!qb::LoadPictureFile(path, image)) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(image.constBits());
  };
  decode();
  const long faults = bench::MinorFaults();
  for (auto _ : state) decode();
  bench::CountFaultsPerPage(state, faults);
}

}  // namespace

BENCHMARK(BM_WriteBookPage)->Args({1280, 960})->Args({4000, 3000})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodePictureOnly)->Args({1280, 960})->Args({4000, 3000})->Unit(benchmark::kMillisecond);
