// What showing a page costs: the Viewer's way (stream the record's planes
// through the stretch into a 640 x 480 view) against a typical comic
// viewer's (decode a JPEG of the same page and stretch it).
#include <benchmark/benchmark.h>

#include <QImageReader>
#include <QPainter>

#include "bench/bench_fixtures.h"
#include "image/book_page_view.h"
#include "image/page_fit.h"
#include "image/view_drawing.h"

namespace {

void DrawIntoView(const QImage& page, QImage& view) {
  const qb::DrawRect r = qb::FitPageToView(page.width(), page.height(), view.width(), view.height());
  QPainter painter(&view);
  painter.fillRect(view.rect(), Qt::white);
  painter.drawImage(QRect(r.x, r.y, r.width, r.height), page);
}

void BM_BookPageToScreen(benchmark::State& state) {
  const auto& fixture = bench::Fixture(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  QImage view(640, 480, QImage::Format_RGB32);
  qb::BookPageView pageView;
  const auto draw = [&] {
    if (pageView.Draw(fixture.book, fixture.position, view, Qt::white) != qb::kBookSound)
      state.SkipWithError("page unreadable");
    benchmark::DoNotOptimize(view.constBits());
  };
  draw();
  const long faults = bench::MinorFaults();
  for (auto _ : state) draw();
  bench::CountFaultsPerPage(state, faults);
}

// Quilly's full screen on a 640 x 480 screen: what the web reader draws
// (bench/web-bench.sh compares the two).
void BM_ScreenPageToScreen(benchmark::State& state) {
  const auto& fixture = bench::Fixture(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  QImage view(640, 480, QImage::Format_RGB32);
  qb::BookPageView pageView;
  for (auto _ : state) {
    if (pageView.Draw(fixture.book, fixture.position, view, Qt::black, qb::PlaceOnScreen) != qb::kBookSound)
      state.SkipWithError("page unreadable");
    benchmark::DoNotOptimize(view.constBits());
  }
}

void BM_JpegPageToScreen(benchmark::State& state) {
  const auto& fixture = bench::Fixture(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  QImage view(640, 480, QImage::Format_RGB32);
  const QString path = QString::fromStdU16String(fixture.jpeg);
  const auto draw = [&] {
    QImageReader reader(path);
    const QImage picture = reader.read();
    DrawIntoView(picture, view);
    benchmark::DoNotOptimize(view.constBits());
  };
  draw();
  const long faults = bench::MinorFaults();
  for (auto _ : state) draw();
  bench::CountFaultsPerPage(state, faults);
}

}  // namespace

BENCHMARK(BM_BookPageToScreen)->Args({1280, 960})->Args({4000, 3000})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScreenPageToScreen)->Args({1280, 960})->Args({4000, 3000})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegPageToScreen)->Args({1280, 960})->Args({4000, 3000})->Unit(benchmark::kMillisecond);
