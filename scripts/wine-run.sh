#!/usr/bin/env bash
# Runs a Windows program under Wine: ctest's emulator for the Windows build,
# and the way the README starts velto.exe.
#
# Makes the Wine prefix (build/wineprefix unless WINEPREFIX is set) when it
# is missing, starts an Xvfb of its own when there is no display, and keeps
# one wineserver alive for the run (scripts/test.sh ends it).
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/../build/wineprefix}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# Never offer to install Mono or Gecko. Without a sound device Wine's ALSA
# driver would print a screenful of errors at every chime: leave it out.
overrides="mscoree,mshtml="
[ -e /dev/snd ] || overrides="$overrides;winealsa.drv=d"
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-$overrides}

xvfb_pid=
. "$here/xvfb.sh"
[ -n "${DISPLAY:-}" ] || start_xvfb

mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wine wineboot --init >/dev/null 2>&1 9>&-
    wineserver -w 9>&-
  fi
  settings=$(md5sum <"$here/wine-settings.reg" | cut -d' ' -f1)
  if [ "$(cat "$WINEPREFIX/velto-settings" 2>/dev/null)" != "$settings" ]; then
    reg="Z:${here//\//\\}\\wine-settings.reg"  # Wine's name for the file
    wine regedit /S "$reg" </dev/null >/dev/null 2>&1 9>&-
    echo "$settings" >"$WINEPREFIX/velto-settings"
  fi
  # A screen of another size (VELTO_DPI), for the prefix's programs to come.
  if [ -n "${VELTO_DPI:-}" ] && [ "$(cat "$WINEPREFIX/velto-dpi" 2>/dev/null)" != "$VELTO_DPI" ]; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$VELTO_DPI" /f </dev/null >/dev/null 2>&1 9>&-
    echo "$VELTO_DPI" >"$WINEPREFIX/velto-dpi"
  fi
  # What starts here lives on: it must not hold the lock (9>&-), nor the
  # caller's output, which ctest waits to see closed.
  if [ -z "$xvfb_pid" ] && wineserver -p </dev/null >/dev/null 2>&1 9>&-; then
    wine wineboot </dev/null >/dev/null 2>&1 9>&- || true
  fi
) 9>"$WINEPREFIX.lock"

if [ -n "$xvfb_pid" ]; then
  # Our own display ends with this run, so the server must too.
  trap 'wineserver -k 2>/dev/null; kill "$xvfb_pid"' EXIT
  wine "$@"
else
  exec wine "$@"
fi
