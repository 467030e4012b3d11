#!/usr/bin/env bash
# Installs what is missing, builds, and opens the bundled sample book in the
# Viewer. Without a display the Viewer runs on a virtual one and a
# screenshot of its window is saved instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2
sample=build/samples/sample.qbb
build/tools/qbbtool/qbbtool info "$sample"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/viewer/Quilly "$sample"
fi
echo "No display: running the Viewer on a virtual display (xvfb-run) for a screenshot."
echo "On a desktop, open the book with: build/viewer/Quilly $sample"
bash scripts/screenshot-viewer.sh "$sample" build/samples/viewer.png build
