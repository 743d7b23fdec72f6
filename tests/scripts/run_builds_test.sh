#!/usr/bin/env bash
# scripts/run.sh, in a copy of the tree with stand-ins for cmake, the package
# installer and the programs: it installs what running needs and builds the
# programs it runs, never every target (the tests and benchmarks).
set -uo pipefail
top=$(realpath -- "$(dirname "$0")/../..")
source "$(dirname "$0")/script_testing.sh"

tree="$work/tree"
mkdir -p "$tree/scripts" "$tree/resources/examples" "$tree/build/apps" "$work/bin"
cp "$top/scripts/run.sh" "$tree/scripts/"
cp "$top/resources/examples/autumn-leaves.txt" "$tree/resources/examples/"
printf '#!/usr/bin/env bash\necho "install-deps $*" >>"%s/log"\n' "$work" >"$tree/scripts/install-deps.sh"
printf '#!/usr/bin/env bash\necho "cmake $*" >>"%s/log"\n' "$work" >"$work/bin/cmake"
for program in zub zubaroo; do
  printf '#!/usr/bin/env bash\necho "%s $*" >>"%s/log"\n' "$program" "$work" >"$tree/build/apps/$program"
  chmod +x "$tree/build/apps/$program"
done
chmod +x "$work/bin/cmake"

# run.sh with or without a display (anything after "--" goes to env): the
# targets built are the expected ones and no others.
run_script() {
  local want=$1; shift
  : >"$work/log"
  local status=0
  (cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY -u ZUB_PREBUILT PATH="$work/bin:$PATH" "$@" \
    bash "$tree/scripts/run.sh") >"$work/out" 2>&1 || status=$?
  [ "$status" -eq 0 ] || fail "status $status: $(cat "$work/out")"
  grep -qx 'install-deps --run' "$work/log" || fail "the installer was not asked for what running needs: $(cat "$work/log")"
  grep -q '^cmake -S .*-DZUB_TESTS=OFF' "$work/log" || fail "the tests were configured: $(cat "$work/log")"
  local builds
  builds=$(grep '^cmake --build' "$work/log")
  [ -n "$builds" ] || fail "nothing was built: $(cat "$work/log")"
  while read -r build; do
    [[ "$build " == *" --target $want " ]] || fail "built other than $want: $build"
  done <<<"$builds"
}

run_script "zubaroo zub"
grep -q '^zub show .*autumn-leaves.txt' "$work/log" || fail "the chart was not shown: $(cat "$work/log")"
run_script "zubaroo" DISPLAY=:99
grep -q '^zubaroo .*autumn-leaves.txt' "$work/log" || fail "the editor was not opened: $(cat "$work/log")"

finish "run.sh builds what it runs"
