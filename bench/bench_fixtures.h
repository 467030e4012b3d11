#pragma once
// Pictures and books the benchmarks share, made once per process in a
// temporary folder.

#include <benchmark/benchmark.h>

#include <QImage>
#include <string>

namespace bench {

// A deterministic photo-like picture (gradients and texture), so that JPEG
// decoding costs what it costs on real pages.
QImage PhotoLikePicture(int width, int height);

struct PageFixture {
  std::u16string book;    // a one-page book holding the picture
  std::u16string bitmap;  // the picture as BMP
  std::u16string jpeg;    // the picture as JPEG (quality 90)
  std::int32_t position;  // the page's table entry
  std::int64_t recordBytes;
};

// Built on first use for each size and kept for the whole run.
const PageFixture& Fixture(int width, int height);

// Minor page faults of this process so far.
long MinorFaults();

// Sets the counter "faults/page" from the minor faults since `before` (taken
// right before the timed loop), per iteration. Each per-page benchmark runs
// its operation once before it, so that memory it keeps from page to page
// is counted once, not per page.
void CountFaultsPerPage(benchmark::State& state, long before);

}  // namespace bench
