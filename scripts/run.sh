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
  # Optimised without debug information, and without the tests and benchmarks:
  # a musician's first build is the one that has to be quick.
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-O2 \
        -DZUB_TESTS=OFF -DZUB_BENCH=OFF >/dev/null
  # Only the program that runs (the chord-scale cache comes with either): the
  # editor with a display, zub besides to show the chart without one.
  targets=(zubaroo)
  [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || targets+=(zub)
  cmake --build build -j "$(nproc)" --target "${targets[@]}"
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
