#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
set -euo pipefail

packages=(build-essential cmake ninja-build pkg-config libgmp-dev libplist-dev libplist++-dev
          qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev xvfb xauth
          fonts-dejavu-core poppler-utils
          libxml2-utils  # xmllint, which checks the MusicXML export against its schema
          libfluidsynth-dev libsndfile1-dev musescore-general-soundfont-small
          x11-utils x11-apps netpbm xdotool  # scripts/screenshot.sh drives and photographs the editor
          clang libclang-rt-dev)  # clang's libFuzzer and sanitizer runtimes, for the fuzz targets

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
