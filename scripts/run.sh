#!/usr/bin/env bash
# Builds Zubaroo and opens the bundled example chart (or the chart given).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

chart=${1:-resources/examples/autumn-leaves.txt}
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"

if [ -x build/apps/zubaroo ]; then
  if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec xvfb-run -a build/apps/zubaroo "$chart"
  fi
  exec build/apps/zubaroo "$chart"
fi
# Without the editor, print the chart as a text chart.
exec build/apps/zub show "$chart"
