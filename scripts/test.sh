#!/usr/bin/env bash
# Builds everything and runs every test; then builds everything but the editor
# again with clang, AddressSanitizer and UndefinedBehaviorSanitizer (the build
# the fuzz targets need, so one sanitized build serves both), runs the tests
# there, and runs each fuzz target for a short time (scripts/fuzz.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=$(nproc)
# scripts/run.sh may have configured this tree for the programs alone.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DZUB_TESTS=ON -DZUB_BENCH=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

bash scripts/fuzz.sh --configure
cmake --build build-fuzz -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  ctest --test-dir build-fuzz --output-on-failure -j "$jobs"

bash scripts/fuzz.sh
