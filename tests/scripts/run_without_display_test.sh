#!/usr/bin/env bash
# scripts/run.sh on a machine without a display, run the way a user would from
# a folder of their own, on the build tree BUILD_DIR: it must return at once
# with status 0, say where the PDF is, and both the PDF and the text form must
# show every chord of the chart.
# usage: run_without_display_test.sh BUILD_DIR
set -euo pipefail
build=$(realpath -- "$1")
top=$(realpath -- "$(dirname "$0")/../..")
source "$(dirname "$0")/script_testing.sh"

# Every chord of the text chart's bar lines, as the print spells it (display flats and sharps).
chords_of() {
  grep '^|' "$1" | tr '|' ' ' | tr -s ' ' '\n' | grep -v '^$' | sed 's/b/♭/g; s/#/♯/g'
}

check() {
  local case_name=$1 chart_arg=$2 pdf=$3
  local status=0
  (cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY ZUB_PREBUILT="$build" \
    timeout 120 bash "$top/scripts/run.sh" ${chart_arg:+"$chart_arg"}) >"$work/out" 2>"$work/err" || status=$?
  [ "$status" -eq 0 ] || fail "exit status $status; stderr: $(cat "$work/err")"
  head -n 1 "$work/out" | grep -q '^No display' || fail "the first line does not say there is no display"
  grep -qxF "The printed chart is $pdf" "$work/out" || fail "the PDF's place is not $pdf"
  [ -s "$pdf" ] || { fail "no PDF at $pdf"; return; }
  pdftotext "$pdf" "$work/pdf.txt"
  local text_chords
  text_chords=$(chords_of "$work/out")
  [ -n "$text_chords" ] || fail "the text form shows no bars"
  while read -r chord; do
    grep -qF -- "$chord" "$work/pdf.txt" || fail "the PDF lacks $chord"
  done <<<"$text_chords"
  rm -f "$pdf"
}

cp "$top/resources/examples/blues-in-f.txt" "$work/my blues.txt"
check "a chart of the user's, named from their folder" "my blues.txt" "$build/my blues.pdf"
check "the bundled example" "" "$build/autumn-leaves.pdf"

finish "run.sh without a display"
