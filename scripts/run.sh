#!/usr/bin/env bash
# Builds velto.exe and starts it under Wine. Installs what is missing for
# that first (not the test tools). With no display it shows Velto on a
# virtual screen instead, saves a picture of its window, closes it and
# says where the picture is.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

if [ -n "${DISPLAY:-}" ]; then
  scripts/install-deps.sh run
else
  scripts/install-deps.sh run xvfb xauth imagemagick xdotool
fi
# The Windows tests need GoogleTest's source, which only the test command installs.
testing=OFF
[ -d /usr/src/googletest/googletest ] && testing=ON
cmake -S . -B build/windows -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=$testing \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build build/windows --target velto -j"$(nproc)"
cd build/windows/ui
[ -z "${DISPLAY:-}" ] || exec ../../../scripts/wine-run.sh velto.exe

# No display: a virtual one, Velto on it until its window is up after the
# logo, a picture of that window, and Velto closed as its close box would.
. ../../../scripts/xvfb.sh
start_xvfb
export WINEPREFIX=${WINEPREFIX:-$PWD/../../wineprefix}
trap 'wineserver -k 2>/dev/null; kill "$xvfb_pid" 2>/dev/null' EXIT
../../../scripts/wine-run.sh velto.exe &
velto=$!
window=$(timeout 120 xdotool search --sync --onlyvisible --name '^Velto: A Pacing' | head -1) || {
  echo "Velto's window did not come up." >&2
  exit 1
}
sleep 1  # its first painting
picture=$PWD/velto-window.png
import -window "$window" "$picture"
../../../scripts/wine-run.sh taskkill /im velto.exe >/dev/null 2>&1 || true
wait "$velto" || true
echo "No display, so Velto ran on a virtual screen: its window is in $picture"
