#!/usr/bin/env bash
# Builds zubaroo and zub and opens the bundled example chart (or the chart given).
# Without a display there is no window to open: the chart is printed to a PDF
# beside the build and shown as a text chart instead.
# ZUB_PREBUILT=DIR uses the build tree DIR as it is, installing and building
# nothing (the tests run the script this way).
set -euo pipefail

# The chart is named from the caller's folder, before we move to the top of the tree.
chart=${1:-$(dirname "$0")/../resources/examples/autumn-leaves.txt}
if [ ! -f "$chart" ]; then
  echo "run.sh: no such chart: $chart" >&2
  exit 2
fi
chart=$(realpath -- "$chart")
if [ -n "${ZUB_PREBUILT:-}" ]; then ZUB_PREBUILT=$(realpath -- "$ZUB_PREBUILT"); fi
cd "$(dirname "$0")/.."

build=${ZUB_PREBUILT:-build}
if [ -z "${ZUB_PREBUILT:-}" ]; then
  bash scripts/install-deps.sh --run
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  # The two programs alone (zub's playback module and the chord-scale cache come
  # with them): the tests and benchmarks would take longer than both.
  cmake --build build -j "$(nproc)" --target zubaroo zub
fi
build=$(realpath -- "$build")

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "No display (DISPLAY and WAYLAND_DISPLAY are unset), so the editor cannot open: printing the chart instead."
  if [ -x "$build/apps/zubaroo" ]; then
    name=$(basename "$chart")
    pdf="$build/${name%.*}.pdf"
    QT_QPA_PLATFORM=offscreen "$build/apps/zubaroo" --print-pdf "$pdf" "$chart"
    echo "The printed chart is $pdf"
  fi
  echo "The chart as text:"
  "$build/apps/zub" show "$chart"
  exit 0
fi

if [ -x "$build/apps/zubaroo" ]; then
  exec "$build/apps/zubaroo" "$chart"
fi
# Without the editor, print the chart as a text chart.
exec "$build/apps/zub" show "$chart"
