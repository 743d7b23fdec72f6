#!/usr/bin/env bash
# Makes the README's screenshot: the editor on a virtual display (Xvfb) with
# an analysed chart, playing, the playhead on the sounding bar. The sound
# goes to a file (FluidSynth's file driver), so no sound device is needed.
# A second picture shows the window under a dark desktop palette.
# usage: scripts/screenshot.sh [BUILD_DIR] [OUT.png] [DARK_OUT.png]
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

# --- The same chart under a dark desktop palette (docs/dark.png). Qt's built-in KDE theme reads
# the palette from kdeglobals in the settings folder, so no desktop has to run.
dark_out=${3:-docs/dark.png}
kill "$editor" 2>/dev/null || true
wait "$editor" 2>/dev/null || true
mkdir -p "$XDG_CONFIG_HOME"
cat > "$XDG_CONFIG_HOME/kdeglobals" <<'COLOURS'
[Colors:Button]
BackgroundNormal=49,54,59
ForegroundNormal=239,240,241
[Colors:Selection]
BackgroundNormal=61,174,233
ForegroundNormal=252,252,252
[Colors:Tooltip]
BackgroundNormal=49,54,59
ForegroundNormal=239,240,241
[Colors:View]
BackgroundNormal=27,30,32
ForegroundNormal=239,240,241
[Colors:Window]
BackgroundNormal=42,46,50
ForegroundNormal=239,240,241
COLOURS
QT_QPA_PLATFORMTHEME=kde KDE_SESSION_VERSION=5 KDE_FULL_SESSION=true "$build/apps/zubaroo" "$chart" &
editor=$!
window=$(xdotool search --sync --onlyvisible --name 'Zubaroo' | head -n 1)
xdotool windowsize "$window" 900 700
xdotool windowfocus --sync "$window"
# A chord typed and not finished: the slot's text and the message beside it.
xdotool key --window "$window" Right c 7 slash Tab
sleep 1
xwd -silent -id "$window" | xwdtopnm 2>/dev/null | pnmquant 64 2>/dev/null | pnmtopng -compression 9 > "$dark_out"
echo "$dark_out"
