#!/usr/bin/env bash
# The two Windows packages, under Wine: the zip unpacked and run from its
# folder; the installer, for the current user without administrator rights,
# run silently, its files, Start menu entry and uninstall entry checked, the
# installed program started from its shortcut and closed, the installer run
# again over it; the uninstaller run silently, leaving nothing behind.
set -uo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
run="$here/../../scripts/wine-run.sh"
export WINEPREFIX=${WINEPREFIX:-$here/../../build/wineprefix}
launch="$build/tests/launch.exe"
user="$WINEPREFIX/drive_c/users/$(id -un)"
programs="$user/AppData/Local/Programs"
installed="$programs/Velto"
menu="$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velto'

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
export -f in_order
absent() { for f in "$@"; do [ ! -e "$f" ] || { echo "still there: $f"; return 1; }; done; }

cmake --build "$build" --target package >/dev/null || { echo "packaging failed"; exit 1; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
zip="$build/velto-$version-win64.zip" setup="$build/velto-$version-setup.exe"
echo "zip $(stat -c %s "$zip") bytes, installer $(stat -c %s "$setup") bytes"

# A failed earlier run may have left an installation behind.
rm -rf "$programs" "$menu/Velto.lnk"
for k in "$key" 'HKCU\Software\Velto' 'HKLM\Software\Velto'; do "$run" reg delete "$k" /f >/dev/null 2>&1; done

check "the zip holds the four files side by side" \
  bash -c "unzip -q '$zip' -d '$work/zip' && [ \"\$(cd '$work/zip' && LC_ALL=C ls | tr '\n' ' ')\" = 'LICENSE.txt grovlet.wav velto.exe velto.txt ' ]"
check "the unpacked program runs from its folder and exits with 0" \
  "$run" "$launch" "Z:${work//\//\\}\\zip\\velto.exe" "Z:${work//\//\\}\\zip"

check "velto.exe is stripped and holds no build folder" \
  bash -c "! x86_64-w64-mingw32-objdump -h '$build/ui/velto.exe' | grep -q '\.debug' &&
           ! grep -qaF '$(cd "$here/../.." && pwd)' '$build/ui/velto.exe'"

# What the installer says of itself: no elevation asked, and its version.
check "the installer asks for no administrator rights" grep -qaF 'level="asInvoker"' "$setup"
check "the installer carries its name, version and copyright" \
  bash -c "strings -el '$setup' | tr '\n' '|' | grep -qF 'ProductName|Velto|' &&
           strings -el '$setup' | grep -qxF '$version' &&
           strings -el '$setup' | grep -qF 'Copyright (c) 2026 the Velto developers'"

# An older Velto: the same installer script as version 0.9.0, with a file
# that the new version no longer has and that its uninstaller knows.
echo "an older file" >"$work/stale.txt"
sed -e 's/^!define VERSION .*/!define VERSION "0.9.0"/' -e "s|^OutFile .*|OutFile \"$work/old-setup.exe\"|" \
    -e "s|^  File /r .*|&\n  File \"$work/stale.txt\"|" \
    -e 's|^  Delete "\$INSTDIR\\Uninstall.exe"|&\n  Delete "$INSTDIR\\stale.txt"|' \
    "$build/_CPack_Packages/win64/NSIS/project.nsi" >"$work/old.nsi"
check "an older version is made from the same script" makensis -V1 "$work/old.nsi"
check "the older version installs, with its own file" \
  bash -c "'$run' '$work/old-setup.exe' /S && in_order '$installed/stale.txt'"

check "the installer runs silently over the older version" "$run" "$setup" /S
check "the older version is gone: its file, its entry" \
  bash -c "[ ! -e '$installed/stale.txt' ] && '$run' reg query '$key' /v DisplayVersion | grep -q '$version'"
check "the files are in the user's Programs folder" \
  in_order "$installed/velto.exe" "$installed/velto.txt" "$installed/grovlet.wav" "$installed/LICENSE.txt" \
  "$installed/Uninstall.exe"
check "the Start menu has one Velto shortcut and no other" \
  bash -c "[ -f '$menu/Velto.lnk' ] && [ -z \"\$(find '$menu' -iname '*velto*' ! -name Velto.lnk; find '$menu' -iname '*uninstall*')\" ]"
check "the shortcut starts it and exits with 0" \
  "$run" "$launch" --shortcut "C:\\users\\$(id -un)\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Velto.lnk"
tr -d '\r' <"$work/check.log" >"$work/shortcut.log"
check "the shortcut's working folder is the install folder" \
  grep -qxF "folder: C:\\users\\$(id -un)\\AppData\\Local\\Programs\\Velto" "$work/shortcut.log"
check "the user's installed programs list has it, with its version" \
  bash -c "'$run' reg query '$key' /v DisplayVersion | grep -q '$version'"
check "nothing is written under Software\\Velto" \
  bash -c "! '$run' reg query 'HKCU\\Software\\Velto' >/dev/null 2>&1 && ! '$run' reg query 'HKLM\\Software\\Velto' >/dev/null 2>&1"

# Again over itself: the earlier one is uninstalled first.
touch -d @0 "$installed/velto.txt"
check "the installer runs again over the installation" "$run" "$setup" /S
check "the files are new and the programs list has one entry" \
  bash -c "[ \$(stat -c %Y '$installed/velto.txt') -gt 0 ] && in_order '$installed/velto.exe' '$installed/Uninstall.exe' &&
           [ \$('$run' reg query 'HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall' | tr -d '\r' | grep -ci 'velto') -eq 1 ]"

# Without "_?=" the uninstaller copies itself away and returns at once.
check "the uninstaller runs silently" "$run" "$installed/Uninstall.exe" /S
for _ in $(seq 60); do [ -e "$installed" ] || break; sleep 0.5; done
check "nothing is left: no folder, not even Programs, and no shortcut" absent "$installed" "$programs" "$menu/Velto.lnk"
check "nothing is left in the installed programs list" \
  bash -c "! '$run' reg query '$key' >/dev/null 2>&1"

echo "install: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
