#!/usr/bin/env bash
# The two Windows packages, under Wine: the zip unpacked and run from its
# folder; the installer run silently, its files, Start menu entry and
# uninstall entry checked, the installed program started from its shortcut
# and closed; the uninstaller run silently, leaving nothing behind.
set -uo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
run="$here/../../scripts/wine-run.sh"
export WINEPREFIX=${WINEPREFIX:-$here/../../build/wineprefix}
launch="$build/tests/launch.exe"
installed="$WINEPREFIX/drive_c/Program Files/Velto"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Velto"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velto'

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0 failed=0
check() {  # description, command...
  local what=$1
  shift
  if "$@" >"$work/check.log" 2>&1; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $what"
    sed 's/^/  /' "$work/check.log"
  fi
}
in_order() { for f in "$@"; do [ -f "$f" ] || { echo "missing $f"; return 1; }; done; }
absent() { for f in "$@"; do [ ! -e "$f" ] || { echo "still there: $f"; return 1; }; done; }

cmake --build "$build" --target package >/dev/null || { echo "packaging failed"; exit 1; }
zip="$build/velto-1.0.0-win64.zip" setup="$build/velto-1.0.0-setup.exe"
echo "zip $(stat -c %s "$zip") bytes, installer $(stat -c %s "$setup") bytes"

# A failed earlier run may have left an installation behind.
[ -e "$installed/Uninstall.exe" ] && "$run" "$installed/Uninstall.exe" /S "_?=C:\\Program Files\\Velto" >/dev/null 2>&1
rm -rf "$installed" "$menu"

check "the zip holds the three files side by side" \
  bash -c "unzip -q '$zip' -d '$work/zip' && [ \"\$(cd '$work/zip' && ls | tr '\n' ' ')\" = 'grovlet.wav velto.exe velto.txt ' ]"
check "the unpacked program runs from its folder and exits with 0" \
  "$run" "$launch" "Z:${work//\//\\}\\zip\\velto.exe" "Z:${work//\//\\}\\zip"

check "the installer runs silently" "$run" "$setup" /S
check "the files are in the Program Files folder" \
  in_order "$installed/velto.exe" "$installed/velto.txt" "$installed/grovlet.wav" "$installed/Uninstall.exe"
check "the Start menu has the program" in_order "$menu/Velto.lnk"
check "the shortcut starts it and exits with 0" \
  "$run" "$launch" --shortcut 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Velto\Velto.lnk'
tr -d '\r' <"$work/check.log" >"$work/shortcut.log"
check "the shortcut's working folder is the install folder" \
  grep -qxF 'folder: C:\Program Files\Velto' "$work/shortcut.log"
check "the installed programs list has it" \
  bash -c "'$run' reg query '$key' /v DisplayName | grep -q 'Velto'"

# Without "_?=" the uninstaller copies itself away and returns at once.
check "the uninstaller runs silently" "$run" "$installed/Uninstall.exe" /S
for _ in $(seq 60); do [ -e "$installed" ] || break; sleep 0.5; done
check "nothing is left in Program Files or the Start menu" absent "$installed" "$menu"
check "nothing is left in the installed programs list" \
  bash -c "! '$run' reg query '$key' >/dev/null 2>&1"

echo "install: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
