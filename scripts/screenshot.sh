#!/usr/bin/env bash
# Makes the README's screenshot: the editor on a virtual display (Xvfb) with
# an analysed chart, playing, the playhead on the sounding bar. The sound
# goes to a file (FluidSynth's file driver), so no sound device is needed.
# usage: scripts/screenshot.sh [BUILD_DIR] [OUT.png]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath -- "${1:-build}")
out=${2:-docs/playback.png}
chart=resources/examples/autumn-leaves.txt
display=:${ZUB_SCREENSHOT_DISPLAY:-87}

scratch=$(mktemp -d)
cleanup() {
  [ -n "${editor:-}" ] && kill "$editor" 2>/dev/null || true
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# A settings folder of its own, so the user's preferences neither shape nor receive the picture.
export XDG_CONFIG_HOME=$scratch/config
export ZUB_AUDIO_DRIVER=file ZUB_AUDIO_FILE=$scratch/heard.wav ZUB_SEED=42
"$build/apps/zubaroo" "$chart" &
editor=$!
window=$(xdotool search --sync --onlyvisible --name 'Zubaroo' | head -n 1)
xdotool windowsize "$window" 900 700
xdotool windowfocus --sync "$window"
# Analysis > Analyze through the menu's mnemonics, then Space plays.
xdotool key --window "$window" alt+a
sleep 0.5
xdotool key --window "$window" a
sleep 1
xdotool key --window "$window" space
# Loading the sounds, the count-in at 132, then into the second line of bars.
sleep "${ZUB_SCREENSHOT_WAIT:-14}"
xwd -silent -id "$window" | xwdtopnm 2>/dev/null | pnmquant 64 2>/dev/null | pnmtopng -compression 9 > "$out"
echo "$out"
