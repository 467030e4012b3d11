#!/usr/bin/env bash
# Runs the built Viewer on a book under a virtual X display and saves a
# screenshot of the whole screen, to check the real window: fonts, layout
# and the page drawn. Builds nothing; build the Quilly target first.
#
# Usage: scripts/screenshot-viewer.sh BOOK.qbb OUTPUT.png [BUILD_DIR]
#   BUILD_DIR defaults to build/. QB_SCREENSHOT_WAIT (seconds, default 4)
#   is how long the program runs before the shot; below 2 the splash shows.
set -euo pipefail

if [ $# -lt 2 ]; then
  sed -n '2,9p' "$0" | sed 's/^# \{0,1\}//' >&2
  exit 2
fi
book=$(realpath "$1")
output=$(realpath -m "$2")
build=${3:-build}
program=$(realpath -m "$build/viewer/Quilly")
wait_seconds=${QB_SCREENSHOT_WAIT:-4}

[ -x "$program" ] || { echo "No $program: build the Quilly target first." >&2; exit 1; }
[ -f "$book" ] || { echo "No book $book." >&2; exit 1; }

# The program registers its file type at start: keep that, and any other
# per-user state, out of the caller's home.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24" bash -c '
  program=$1 book=$2 wait_seconds=$3 output=$4
  "$program" "$book" &
  pid=$!
  sleep "$wait_seconds"
  if ! kill -0 "$pid" 2>/dev/null; then
    echo "The Viewer ended before the screenshot." >&2
    exit 1
  fi
  import -window root "$output"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
' screenshot "$program" "$book" "$wait_seconds" "$output"

echo "Screenshot: $output"
