#!/usr/bin/env bash
# zubaroo's options open no window: --help and --version answer even without a
# display, and an unknown option is refused with status 2 before any window opens.
# usage: zubaroo_options_test.sh ZUBAROO
set -uo pipefail
zubaroo=$1
source "$(dirname "$0")/script_testing.sh"

# run ENV... -- ARGS...: zubaroo with a time limit, a window left open failing by it.
run() {
  local envs=()
  while [ "$1" != "--" ]; do envs+=("$1"); shift; done
  shift
  status=0
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "${envs[@]}" timeout 20 "$zubaroo" "$@" \
    >"$work/out" 2>"$work/err" || status=$?
}

for help in --help -h; do
  run -- "$help"
  [ "$status" -eq 0 ] || fail "$help: status $status, stderr: $(head -c 300 "$work/err")"
  grep -q '^usage: zubaroo \[FILE\.\.\.\]' "$work/out" || fail "$help: no usage on stdout"
  [ ! -s "$work/err" ] || fail "$help: stderr not empty: $(head -c 300 "$work/err")"
done

run -- --version
[ "$status" -eq 0 ] || fail "--version: status $status"
grep -qx 'zubaroo [0-9][0-9.]*' "$work/out" || fail "--version printed: $(head -c 300 "$work/out")"

run -- chart.txt --help
[ "$status" -eq 0 ] && grep -q '^usage:' "$work/out" || fail "--help after a file: status $status"

# Qt needs a platform to read its own options; offscreen stands in for the display.
for option in --bogus -x --print; do
  run QT_QPA_PLATFORM=offscreen -- "$option" chart.txt
  [ "$status" -eq 2 ] || fail "$option: status $status (124: a window stayed open)"
  grep -qxF "zubaroo: unknown option '$option' (see 'zubaroo --help')" "$work/err" ||
    fail "$option: stderr $(head -c 300 "$work/err")"
done

finish "zubaroo options"
