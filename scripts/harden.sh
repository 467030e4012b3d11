#!/usr/bin/env bash
# The tests again under AddressSanitizer and UndefinedBehaviorSanitizer, then
# each libFuzzer target for a bounded time on its seed corpus. Any finding
# fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
# With the web reader's tools: where emscripten is present the sanitizer
# build makes the reader too, and its tests need the browser and packages.
bash scripts/setup.sh --web
fuzz_seconds="${QB_FUZZ_SECONDS:-60}"

# Qt and fontconfig keep caches for the whole process; those are not our leaks.
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQB_SANITIZE=ON -DQB_BENCH=OFF
cmake --build build-asan -j2
ctest --test-dir build-asan --output-on-failure -j2

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQB_SANITIZE=ON -DQB_FUZZ=ON -DQB_BENCH=OFF
cmake --build build-fuzz -j2 --target fuzz_targets
for fuzzer in build-fuzz/fuzz/*_fuzz; do
  name=$(basename "$fuzzer" _fuzz)
  work=$(mktemp -d)
  cp -r "fuzz/corpus/$name/." "$work/" 2>/dev/null || true
  echo "Fuzzing $name for ${fuzz_seconds}s"
  "$fuzzer" -max_total_time="$fuzz_seconds" -max_len=65536 -timeout=10 -rss_limit_mb=4096 \
    -print_final_stats=1 "$work" 2>&1 | tail -n 12
  rm -rf "$work"
done
