#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
# With --run, only what building and running zub and zubaroo needs (scripts/run.sh).
# Nothing is changed when apt would remove an installed package to install them.
set -euo pipefail

# Building and running zub and zubaroo (libasound2-dev: MIDI out to the ALSA sequencer). libfluidsynth-dev accepts either JACK;
# naming JACK 2 keeps apt from choosing JACK 1 (libjack-dev), which would
# remove the libjack-jackd2-0 that JACK 2 and PipeWire setups use.
run_packages=(build-essential cmake ninja-build pkg-config libgmp-dev libplist-dev libplist++-dev
              qt6-base-dev libcli11-dev fonts-dejavu-core
              libfluidsynth-dev libjack-jackd2-dev libasound2-dev libsndfile1-dev musescore-general-soundfont-small)
# The tests, the screenshot script and the fuzz targets besides.
test_packages=(libgtest-dev libgmock-dev libbenchmark-dev
               mma  # the accompaniment benchmark times MMA beside us
               xvfb xauth poppler-utils
               libxml2-utils  # xmllint, which checks the MusicXML export against its schema
               x11-utils x11-apps netpbm xdotool  # scripts/screenshot.sh drives and photographs the editor
               clang libclang-rt-dev  # clang's libFuzzer and sanitizer runtimes, for the fuzz targets
               jackd2)  # a real JACK server (its dummy backend) for the tests of JACK audio and MIDI out

packages=("${run_packages[@]}")
[ "${1:-}" = "--run" ] || packages+=("${test_packages[@]}")

# One dpkg-query for all: a package it does not know is missing too.
installed=$(dpkg-query -W -f='${Package} ${db:Status-Status}\n' "${packages[@]}" 2>/dev/null |
            awk '$2 == "installed" { print $1 }' || true)
missing=()
for package in "${packages[@]}"; do
  grep -qxF "$package" <<<"$installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
# Ask apt first what it would do: a package it would remove stops everything.
plan=$(apt-get -s install --no-install-recommends "${missing[@]}")
removed=$(awk '$1 == "Remv" { print $2 }' <<<"$plan" | tr '\n' ' ')
if [ -n "$removed" ]; then
  echo "install-deps.sh: installing ${missing[*]} would remove these installed packages: $removed" >&2
  echo "install-deps.sh: nothing was changed; install the missing packages by hand, choosing what to keep." >&2
  exit 1
fi
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
