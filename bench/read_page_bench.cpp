// Decoding one page from a book against the I/O floor: one plain read of
// the same record bytes into memory.
#include <benchmark/benchmark.h>

#include <fstream>
#include <vector>

#include "bench/bench_fixtures.h"
#include "book/book_reader.h"
#include "common/utf8.h"

namespace {

void BM_ReadPageImage(benchmark::State& state) {
  const auto& fixture = bench::Fixture(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  qb::PageImage page;
  const auto decode = [&] {
    if (qb::ReadPageImage(fixture.book, page, fixture.position) != qb::kBookSound)
      state.SkipWithError("page unreadable");
    benchmark::DoNotOptimize(page.Pixels.data());
  };
  decode();
  const long faults = bench::MinorFaults();
  for (auto _ : state) decode();
  bench::CountFaultsPerPage(state, faults);
  state.SetBytesProcessed(state.iterations() * fixture.recordBytes);
}

void BM_PlainRead(benchmark::State& state) {
  const auto& fixture = bench::Fixture(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  std::vector<char> bytes(static_cast<std::size_t>(fixture.recordBytes));
  const auto read = [&] {
    std::ifstream in(qb::ToPath(fixture.book), std::ios::binary);
    in.seekg(fixture.position - 1);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    benchmark::DoNotOptimize(bytes.data());
  };
  read();
  const long faults = bench::MinorFaults();
  for (auto _ : state) read();
  bench::CountFaultsPerPage(state, faults);
  state.SetBytesProcessed(state.iterations() * fixture.recordBytes);
}

}  // namespace

BENCHMARK(BM_ReadPageImage)->Args({1280, 960})->Args({4000, 3000})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainRead)->Args({1280, 960})->Args({4000, 3000})->Unit(benchmark::kMillisecond);
