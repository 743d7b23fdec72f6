#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz and runs each for a bounded time
# (ZUB_FUZZ_SECONDS, 30 by default) from its seed corpus. Fails when a target
# finds a crash, a hang, a leak or a sanitizer report; the input that did it
# and the target's log are kept in build-fuzz/findings.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

seconds=${ZUB_FUZZ_SECONDS:-30}
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DZUB_FUZZ=ON -DZUB_EDITOR=OFF -DZUB_BENCH=OFF >/dev/null
# --configure: only lay out build-fuzz (scripts/test.sh builds and tests everything there).
[ "${1:-}" != "--configure" ] || exit 0
cmake --build build-fuzz -j "$(nproc)" --target fuzz_targets

findings=$(realpath build-fuzz)/findings
rm -rf "$findings"
mkdir -p "$findings"
# New corpus entries and the targets' own files go to a scratch folder, in
# memory where we can: the MIDI output is synced to disk on every run.
scratch_parent=/tmp
[ -w /dev/shm ] && scratch_parent=/dev/shm
scratch=$(mktemp -d "$scratch_parent/zub-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

# Seeds: fuzz/corpus/NAME, and the charts and documents the tests already hold.
seeds_of() {
  [ -d "fuzz/corpus/$1" ] && echo "fuzz/corpus/$1"
  case $1 in
    kelreader_fuzz) echo resources/examples ;;
    chart_document_fuzz) echo resources/examples tests/data/bridge ;;
  esac
}

# Words worth trying: fuzz/NAME.dict; the zub commands read both text charts
# and chart documents.
dictionary_of() {
  case $1 in
    zub_commands_fuzz) cat fuzz/kelreader_fuzz.dict fuzz/chart_document_fuzz.dict ;;
    *) [ ! -f "fuzz/$1.dict" ] || cat "fuzz/$1.dict" ;;
  esac
}

# Runs target NAME for the time given; its log and findings go to $findings.
fuzz_one() {
  local name=$1 seeds dictionary=()
  read -r -a seeds <<<"$(seeds_of "$name" | tr '\n' ' ')"
  dictionary_of "$name" >"$scratch/$name.dict"
  [ ! -s "$scratch/$name.dict" ] || dictionary=(-dict="$scratch/$name.dict")
  mkdir -p "$scratch/$name/corpus"
  TMPDIR=$scratch/$name ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    "build-fuzz/fuzz/$name" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
    -artifact_prefix="$findings/$name-" "${dictionary[@]}" "$scratch/$name/corpus" "${seeds[@]}" \
    >"$findings/$name.log" 2>&1
}

failed=()
for source in fuzz/*_fuzz.cpp; do
  name=$(basename "$source" .cpp)
  echo "Fuzzing $name for $seconds s"
  if fuzz_one "$name"; then
    grep -E '^Done [0-9]+ runs' "$findings/$name.log" || true
  else
    failed+=("$name")
    tail -n 80 "$findings/$name.log"
    echo "FAILED: $name; the inputs it found: $(ls "$findings/$name-"* 2>/dev/null | tr '\n' ' ')"
    echo "Repeat one with: build-fuzz/fuzz/$name INPUT"
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "Fuzzing found faults in: ${failed[*]} (logs in $findings)"
  exit 1
fi
echo "Fuzzing found nothing in $seconds s per target"
