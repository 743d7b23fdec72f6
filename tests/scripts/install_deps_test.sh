#!/usr/bin/env bash
# scripts/install-deps.sh against stand-ins for dpkg-query, apt-get and sudo:
# nothing is asked of apt when nothing is missing; JACK 2's headers are asked
# for by name, never JACK 1's; and when apt would remove an installed package
# the script stops with a message before installing anything.
set -uo pipefail
top=$(realpath -- "$(dirname "$0")/../..")
source "$(dirname "$0")/script_testing.sh"

mkdir "$work/bin"
# dpkg-query -W -f=FORMAT PACKAGE...: every package installed but those in $MISSING ("all": none).
cat >"$work/bin/dpkg-query" <<'STUB'
#!/usr/bin/env bash
shift 2
for package in "$@"; do
  if [ "$MISSING" = all ] || [[ " $MISSING " == *" $package "* ]]; then
    echo "dpkg-query: no packages found matching $package" >&2
  else
    echo "$package installed"
  fi
done
STUB
# apt-get: logs every call; a simulation plans one Inst per package, and the removals in $REMOVES.
cat >"$work/bin/apt-get" <<'STUB'
#!/usr/bin/env bash
echo "$*" >>"$APT_LOG"
if [ "$1" = -s ]; then
  for package in "${@:3}"; do [[ $package == -* ]] || echo "Inst $package (1.0 Debian:12/stable [amd64])"; done
  for package in $REMOVES; do echo "Remv $package [1.9.21~dfsg-3]"; done
fi
STUB
printf '#!/usr/bin/env bash\nexec "$@"\n' >"$work/bin/sudo"
chmod +x "$work/bin/"*

# run CASE MISSING REMOVES [ARGS...]
run() {
  case_name=$1
  : >"$work/apt.log"
  status=0
  PATH="$work/bin:$PATH" MISSING=$2 REMOVES=$3 APT_LOG="$work/apt.log" \
    bash "$top/scripts/install-deps.sh" "${@:4}" >"$work/out" 2>"$work/err" || status=$?
}

run "nothing missing" "" ""
[ "$status" -eq 0 ] || fail "status $status"
[ ! -s "$work/apt.log" ] || fail "apt-get was called: $(cat "$work/apt.log")"

run "a fresh machine" all ""
[ "$status" -eq 0 ] || fail "status $status: $(cat "$work/err")"
install=$(grep -- '^install -y' "$work/apt.log")
[[ " $install " == *" libjack-jackd2-dev "* ]] || fail "libjack-jackd2-dev not asked for: $install"
[[ " $install " != *" libjack-dev "* ]] || fail "JACK 1 asked for: $install"
[[ " $install " == *" clang "* ]] || fail "the test packages are not asked for: $install"
grep -q -- '^-s install' "$work/apt.log" || fail "no simulation before installing"

run "only what run.sh needs" all "" --run
install=$(grep -- '^install -y' "$work/apt.log")
[[ " $install " == *" qt6-base-dev "* ]] || fail "qt6-base-dev not asked for: $install"
[[ " $install " != *" clang "* ]] || fail "clang asked for: $install"

run "apt would remove JACK 2" "libfluidsynth-dev" "libjack-jackd2-0 pipewire-jack"
[ "$status" -ne 0 ] || fail "status 0"
grep -q 'would remove these installed packages: libjack-jackd2-0 pipewire-jack' "$work/err" ||
  fail "the message does not name the packages: $(cat "$work/err")"
grep -q 'nothing was changed' "$work/err" || fail "the message does not say nothing changed"
! grep -q -- '^install' "$work/apt.log" || fail "apt-get installed anyway: $(cat "$work/apt.log")"

finish "install-deps.sh"
