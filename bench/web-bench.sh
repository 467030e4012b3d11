#!/usr/bin/env bash
# The web reader against the native drawing and against the network: draws
# 1280 x 960 and 4000 x 3000 pages into a 640 x 480 view in headless
# Chromium and times Quilly's full-screen drawing of the same sizes
# (qb_bench), then opens the sample book cold. Prints the ratios as
# qb_bench does. Needs a build with the web reader (scripts/setup.sh --web).
# Usage: bench/web-bench.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" -j2 --target qb_bench qbbtool web_reader
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/tools/qbbtool/qbbtool" publish "$build/samples/sample.qbb" "$work/site"
for size in 1280x960 4000x3000; do
  convert -seed 19 -size "$size" plasma:fractal "$work/$size.png"
  "$build/tools/qbbtool/qbbtool" make "$work/site/page$size.qbb" --author bench --title "$size" "$work/$size.png"
done
"$build/bench/qb_bench" --benchmark_filter=BM_ScreenPageToScreen --benchmark_out="$work/native.json" \
  --benchmark_out_format=json >/dev/null
node bench/web_bench.mjs "$work/site" "$work/native.json"
