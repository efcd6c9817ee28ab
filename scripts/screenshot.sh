#!/usr/bin/env bash
# Takes docs/main-window.png: velto.exe right after start-up, in a Wine
# desktop on a virtual display (Wine draws the window frame there).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
command -v import >/dev/null || apt-get install -y -qq imagemagick >/dev/null
cmake --build build/windows --target velto >/dev/null

n=70
while [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb' EXIT
sleep 1
export DISPLAY=":$n"
(cd build/windows/ui && timeout "${1:-12}" ../../../scripts/wine-run.sh explorer /desktop=Velto,740x360 velto.exe >/dev/null 2>&1 &)
sleep "${2:-8}"
# The Wine desktop starts at the top left; the window sits at (50, 100) in it.
import -window root -crop 636x212+50+100 +repage docs/main-window.png
echo "docs/main-window.png"
