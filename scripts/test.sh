#!/usr/bin/env bash
# Builds everything and runs every test; then builds the core and the bridge
# again with AddressSanitizer and UndefinedBehaviorSanitizer and runs their
# tests; then runs each fuzz target for a short time (scripts/fuzz.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=$(nproc)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZUB_SANITIZE=ON -DZUB_EDITOR=OFF -DZUB_BENCH=OFF
cmake --build build-sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

bash scripts/fuzz.sh
