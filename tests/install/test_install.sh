#!/usr/bin/env bash
# The two Windows packages, under Wine: the zip unpacked and run from its
# folder; the installer, for the current user without administrator rights:
# silent and clicked through, over an older version, over a running Velto,
# over a newer one, into a custom folder and into one whose name leaves the
# ANSI code page; the uninstaller with Velto running and not. Each case is
# checked on disk and in the registry. test_install.sh BUILD [install |
# uninstall]: one half, or both.
set -uo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
run="$here/../../scripts/wine-run.sh"
export WINEPREFIX=${WINEPREFIX:-$here/../../build/wineprefix}
export LC_ALL=C.UTF-8  # folder names in UTF-8 on the way to Wine
launch="$build/tests/launch.exe"
drive="$build/tests/drive.exe"
user="$WINEPREFIX/drive_c/users/$(id -un)"
winuser="C:\\users\\$(id -un)"
programs="$user/AppData/Local/Programs"
installed="$programs/Velto"
winstalled="$winuser\\AppData\\Local\\Programs\\Velto"
menu="$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
link="$winuser\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Velto.lnk"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velto'

# A display of its own, where no other test's windows come and go.
. "$here/../../scripts/xvfb.sh"
start_xvfb
work=$(mktemp -d)
finish() { wineserver -k 2>/dev/null; kill "$xvfb_pid" 2>/dev/null; rm -rf "$work"; }
# Waits for the helpers started in the background, not for the display.
helpers() { for p in $(jobs -p); do [ "$p" = "$xvfb_pid" ] || wait "$p"; done; }
trap finish EXIT
wwork="Z:${work//\//\\}"
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
exits() {  # code, command...: the command exits with that code
  local want=$1
  shift
  "$@"
  local got=$?
  [ "$got" -eq "$want" ] || { echo "exit code $got, not $want"; return 1; }
}
# Wine's %TEMP%, which the uninstaller's copies use.
temp=$("$run" winepath -u "$("$run" cmd /c 'echo %TEMP%' | tr -d '\r')" | tr -d '\r')
runonce='HKCU\Software\Microsoft\Windows\CurrentVersion\RunOnce'
export temp runonce
# Nothing of Velto's in %TEMP% and nothing left for the sign-in, within 20 s.
tidy() {
  for _ in $(seq 40); do  # the folder first: a look at the registry starts a program
    ! ls -A "$temp" | grep -qiE '^~nsu|^ns.*\.tmp$|velto' && ! "$run" reg query "$runonce" /v Velto >/dev/null 2>&1 && return 0
    sleep 0.5
  done
  ls -A "$temp"
  "$run" reg query "$runonce" /v Velto
  return 1
}
gone() { for _ in $(seq 40); do [ -e "$1" ] || return 0; sleep 0.5; done; echo "still there: $1"; return 1; }
# The user signs in again: Windows runs the RunOnce entry, deleting it first.
signin() {
  local command
  command=$("$run" reg query "$runonce" /v Velto | tr -d '\r' | sed -n 's/.*REG_SZ *//p')
  [ -n "$command" ] || { echo "no RunOnce entry"; return 1; }
  "$run" reg delete "$runonce" /v Velto /f >/dev/null && "$run" "$launch" --run "$command" >/dev/null
}
present() { for f in "$@"; do [ -f "$f" ] || { echo "missing $f"; return 1; }; done; }
absent() { for f in "$@"; do [ ! -e "$f" ] || { echo "still there: $f"; return 1; }; done; }
version_is() { "$run" reg query "$key" /v DisplayVersion | tr -d '\r' | grep -q "REG_SZ *$1\$"; }
crlf() { for f in "$@"; do [ "$(grep -c $'\r$' "$f")" -eq "$(wc -l <"$f")" ] || { echo "not CRLF: $f"; return 1; }; done; }
same_as_new() { cmp "$installed/velto.exe" "$build/ui/velto.exe"; }
export -f present absent version_is crlf tidy gone signin

# One part of the test, "install" or "uninstall", or both; a part alone takes
# the packages as built already (by the test that builds them).
part=${2:-both}
[ "$part" != both ] || cmake --build "$build" --target package >/dev/null || { echo "packaging failed"; exit 1; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
zip="$build/velto-$version-win64.zip"
# Fixed names, which the test prefix keeps out of the window manager's way.
cp "$build/velto-$version-setup.exe" "$work/setup.exe"
setup="$work/setup.exe" wsetup="$wwork\\setup.exe"
echo "zip $(stat -c %s "$zip") bytes, installer $(stat -c %s "$setup") bytes"
export run launch drive work wwork user winuser installed winstalled menu link key build setup wsetup version

# A failed earlier run may have left an installation behind.
clean() {
  rm -rf "$programs" "$menu/Velto.lnk" "$WINEPREFIX/drive_c/Tools" "$user/Läufer Ω 日本"
  "$run" reg delete "$key" /f >/dev/null 2>&1
}
clean

# ------------------------------------------------------------------ the zip
unzip -q "$zip" -d "$work/zip"
if [ "$part" != uninstall ]; then
check "the zip holds one folder Velto-$version with the five files" \
  bash -c "[ \"\$(cd '$work/zip' && find . -type f | LC_ALL=C sort | tr '\n' ' ')\" = './Velto-$version/LICENSE.txt ./Velto-$version/grovlet.wav ./Velto-$version/hill-course.gpx ./Velto-$version/velto.exe ./Velto-$version/velto.txt ' ]"
check "the guide and the licence have Windows line ends" crlf "$work/zip/Velto-$version/velto.txt" "$work/zip/Velto-$version/LICENSE.txt"
check "the unpacked program runs from its folder and exits with 0" \
  "$run" "$launch" "$wwork\\zip\\Velto-$version\\velto.exe" "$wwork\\zip\\Velto-$version"

check "velto.exe is stripped and holds no build folder" \
  bash -c "! x86_64-w64-mingw32-objdump -h '$build/ui/velto.exe' | grep -q '\.debug' &&
           ! grep -qaF '$(cd "$here/../.." && pwd)' '$build/ui/velto.exe'"
check "velto.exe and the installer name one publisher" \
  bash -c "strings -el '$build/ui/velto.exe' | grep -A1 -x CompanyName | grep -qx 'the Velto developers' &&
           strings -el '$setup' | grep -A1 -x CompanyName | grep -qx 'the Velto developers'"

# What the installer says of itself: no elevation asked, and its version.
check "the installer asks for no administrator rights" grep -qaF 'level="asInvoker"' "$setup"
check "the installer carries its name, version and copyright" \
  bash -c "strings -el '$setup' | tr '\n' '|' | grep -qF 'ProductName|Velto|' &&
           strings -el '$setup' | grep -qxF '$version' &&
           strings -el '$setup' | grep -qF 'Copyright (c) 2026 the Velto developers'"

fi

# An older Velto: the same installer script as version 0.9.0, with a file
# that the new version no longer has and that its uninstaller knows.
echo "an older file" >"$work/stale.txt"
sed -e 's/^!define VERSION .*/!define VERSION "0.9.0"/' -e "s|^OutFile .*|OutFile \"$work/old-setup.exe\"|" \
    -e "s|^  File /r .*|&\n  File \"$work/stale.txt\"|" \
    -e 's|^  Delete "\$INSTDIR\\Uninstall.exe"|&\n  Delete "$INSTDIR\\stale.txt"|' \
    "$build/_CPack_Packages/win64/NSIS/project.nsi" >"$work/old.nsi"
check "an older version is made from the same script" makensis -V1 "$work/old.nsi"
old() { "$run" "$work/old-setup.exe" /S "$@" && present "$installed/stale.txt" && version_is 0.9.0; }
clicks() { "$run" "$drive" "$@" >"$work/clicks.log"; cat "$work/clicks.log"; }  # its boxes, then its exit code
export -f clicks
kept="$user/AppData/Roaming/Velto/velto.ini"  # what the tools remember

# ------------------------------------------------------ a running Velto
keep() { "$run" "$launch" --keep "$winstalled\\velto.exe" "$winstalled"; }
# Velto running from its zip, elsewhere: not the installer's to close.
zipped="$wwork\\zip\\Velto-$version"
keep_zipped() { "$run" "$launch" --keep "$zipped\\velto.exe" "$zipped"; }
# A process of this prefix whose command line matches: the other half of the
# test runs the same programs at the same time, in a prefix of its own.
ours() {
  local p
  for p in $(pgrep -f "$1"); do
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && return 0
  done
  return 1
}
zipped_runs() { ours 'Velto-'"$version"'\\velto\.exe'; }
# The tools open over a plan, with a percentage typed (and the Save dialog up).
tools_open() { "$run" "$launch" --tools "$winstalled\\velto.exe" "$winstalled" "$@"; }
tools_kept() { tr -d '\r' <"$kept" | grep -qx 'percent=7' || { echo "the tools' entry is lost"; return 1; }; }
running() { ours 'Programs\\Velto\\velto\.exe'; }  # the installed one, not the unreaped
stopped() { for _ in $(seq 40); do running || return 0; sleep 0.25; done; echo "Velto still runs"; return 1; }  # Wine's process ends a moment later
# A window of Velto's class that will not close for $1 s, from the installed
# program's own file (the installer closes only that program's copies).
stubborn() { cp "$launch" "$installed/velto.exe"; "$run" "$winstalled\\velto.exe" --stubborn "$1" & sleep 2; }
unstubborn() {  # ended by force where it still holds out
  "$run" taskkill /f /im velto.exe >/dev/null 2>&1
  helpers
  cp "$build/ui/velto.exe" "$installed/velto.exe"
}
export -f ours keep keep_zipped zipped_runs tools_open tools_kept running stopped
export zipped kept
# Velto's windows too are left to Wine alone while it runs here: with no
# window manager, every window it hides as it closes would cost 2 s.
unmanaged='HKCU\Software\Wine\AppDefaults\velto.exe\X11 Driver'
"$run" reg add "$unmanaged" /v Managed /d N /f >/dev/null
trap '"$run" reg delete "$unmanaged" /f >/dev/null 2>&1; finish' EXIT

if [ "$part" != uninstall ]; then
# ------------------------------------------- nothing changes before Install
check "the older version installs, with its own file" old
check "Cancel on the first page leaves the older version whole" \
  bash -c "clicks '$wsetup' quit; present '$installed/stale.txt' '$installed/velto.exe' '$installed/Uninstall.exe' &&
           version_is 0.9.0 && [ -f '$menu/Velto.lnk' ]"

# ------------------------------------------------------------- the upgrade
check "the installer runs silently over the older version" exits 0 "$run" "$setup" /S
check "the older version is gone: its file, its entry" \
  bash -c "absent '$installed/stale.txt' && version_is '$version'"
check "the files are in the user's Programs folder, text with Windows line ends" \
  bash -c "present '$installed/velto.exe' '$installed/velto.txt' '$installed/grovlet.wav' '$installed/LICENSE.txt' \
           '$installed/hill-course.gpx' '$installed/Uninstall.exe' && crlf '$installed/velto.txt' '$installed/LICENSE.txt'"
check "the Start menu has one Velto shortcut and no other" \
  bash -c "[ -f '$menu/Velto.lnk' ] && [ -z \"\$(find '$menu' -iname '*velto*' ! -name Velto.lnk; find '$menu' -iname '*uninstall*')\" ]"
check "the shortcut starts it and exits with 0" "$run" "$launch" --shortcut "$link"
tr -d '\r' <"$work/check.log" >"$work/shortcut.log"
check "the shortcut's working folder is the install folder" grep -qxF "folder: $winstalled" "$work/shortcut.log"
check "the programs list has its size, as installed" \
  bash -c "size=\$(( \$('$run' reg query '$key' /v EstimatedSize | tr -d '\r' | sed -n 's/.*REG_DWORD *//p') ));
           on_disk=\$(du -k --apparent-size -c '$installed'/* | tail -1 | cut -f1);
           echo \"\$size KB listed, \$on_disk KB on disk\"; [ \$((size - on_disk)) -le 4 ] && [ \$((on_disk - size)) -le 4 ]"
check "nothing is written under Software\\Velto" \
  bash -c "! '$run' reg query 'HKCU\\Software\\Velto' >/dev/null 2>&1 && ! '$run' reg query 'HKLM\\Software\\Velto' >/dev/null 2>&1"

# What the tools remember stays over an upgrade or a repair.
mkdir -p "$(dirname "$kept")"
printf '[Velto tools]\r\nversion=1\r\nage=57\r\n' >"$kept"

# Again over itself: a repair in place.
touch -d @0 "$installed/velto.txt"
check "the installer runs again over the installation, and the list has one entry" \
  bash -c "'$run' '$setup' /S && [ \$(stat -c %Y '$installed/velto.txt') -gt 0 ] &&
           [ \$('$run' reg query 'HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall' | tr -d '\r' | grep -ci 'velto') -eq 1 ]"
check "what the tools remember stays over the repair" present "$kept"

clean
check "silent, over the older version running: it is closed and replaced" \
  bash -c "$(declare -f old); old && keep && running && '$run' '$setup' /S && stopped &&
           version_is '$version' && cmp '$installed/velto.exe' '$build/ui/velto.exe'"
check "silent, over three copies running and one from the zip: the three closed, exit code 0, the zip's left" \
  bash -c "$(declare -f exits); keep && keep && keep && keep_zipped && exits 0 '$run' '$setup' /S && stopped && zipped_runs"
"$run" taskkill /im velto.exe >/dev/null 2>&1
rm -f "$kept"
check "silent, over Velto with its tools open, then with their Save dialog up: the tools' entries are kept" \
  bash -c "tools_open && '$run' '$setup' /S && stopped && tools_kept && rm '$kept' &&
           tools_open save && '$run' '$setup' /S && stopped && tools_kept"
clean
old
stubborn 9
check "silent, over a Velto that takes 9 s to close: waited for, installed, exit code 0 soon after" \
  bash -c "$(declare -f exits); start=\$SECONDS; exits 0 '$run' '$setup' /S && version_is '$version' &&
           [ \$((SECONDS - start)) -le 14 ] || { echo \"\$((SECONDS - start)) s\"; false; }"
unstubborn
clean
old
# Twenty seconds each: the installer and the uninstaller wait at once. The
# window holds out for a minute, through the clicked case after them however
# long a loaded machine makes their waits.
stubborn 60
check "silent, the installer and the uninstaller over a Velto that does not close: exit code 3 and nothing changed" \
  bash -c "$(declare -f exits); exits 3 '$run' '$setup' /S & waiting=\$!;
           exits 3 '$run' '$installed/Uninstall.exe' /S '_?=$winstalled' && wait \$waiting &&
           present '$installed/stale.txt' '$installed/velto.txt' && version_is 0.9.0 && [ -f '$menu/Velto.lnk' ]"
check "clicked through over a Velto that does not close: asked, Cancel, nothing changed" \
  bash -c "clicks '$wsetup' next next next cancel quit && grep -q '^box: Velto is running' '$work/clicks.log' &&
           present '$installed/stale.txt' && version_is 0.9.0"
unstubborn
rm -f "$kept"
check "clicked through over Velto with its tools' Save dialog up: asked, Yes closes it, keeps the entries, installs" \
  bash -c "tools_open save && clicks '$wsetup' next next next yes nostart &&
           grep -q '^box: Velto is running' '$work/clicks.log' && stopped && tools_kept &&
           absent '$installed/stale.txt' && version_is '$version'"

# ---------------------------------------------------------- a newer Velto
check "silent, the older version over the newer: exit code 4 and nothing changed" \
  bash -c "$(declare -f exits); exits 4 '$run' '$work/old-setup.exe' /S; version_is '$version' && absent '$installed/stale.txt'"
check "clicked, the older version over the newer: asked first, No changes nothing" \
  bash -c "clicks '$wwork\\old-setup.exe' no; grep -q '^box: Velto $version is installed, which is newer' '$work/clicks.log' &&
           version_is '$version' && absent '$installed/stale.txt'"

fi

if [ "$part" != install ]; then
clean
"$run" "$setup" /S
# ------------------------------------------------------------ uninstalling
# The silent uninstall as registered runs in place and returns its own code.
quiet=$("$run" reg query "$key" /v QuietUninstallString | tr -d '\r' | sed -n 's/.*REG_SZ *//p')
export quiet
"$run" "$launch" --hold "$winstalled\\velto.txt" 8 &
sleep 2
check "the registered silent uninstall with the guide held open: exit code 5, nothing removed, Velto starts" \
  bash -c "$(declare -f exits); exits 5 '$run' '$launch' --run '$quiet';
           present '$installed/velto.exe' '$installed/velto.txt' '$installed/grovlet.wav' '$installed/LICENSE.txt' \
           '$installed/Uninstall.exe' && version_is '$version' && [ -f '$menu/Velto.lnk' ] &&
           '$run' '$launch' '$winstalled\\velto.exe' '$winstalled'"
helpers
mkdir -p "$(dirname "$kept")" && printf 'Velto plan 2\r\nend=plan\r\n' >"$(dirname "$kept")/course.veltoplan"  # the course kept
check "the registered silent uninstall closes a running Velto, removes it all and exits with 0" \
  bash -c "$(declare -f exits); keep && exits 0 '$run' '$launch' --run '$quiet' && stopped &&
           for _ in \$(seq 60); do [ -e '$installed' ] || break; sleep 0.5; done"
check "nothing is left: no folder, not even Programs, no shortcut, no remembered tools" \
  absent "$installed" "$programs" "$menu/Velto.lnk" "$kept" "$(dirname "$kept")"
check "nothing is left in the installed programs list" bash -c "! '$run' reg query '$key' >/dev/null 2>&1"
check "nothing is left in %TEMP%, nor for the next sign-in" tidy

# A folder below a file cannot be made: not a reason to install elsewhere.
echo "a file" >"$WINEPREFIX/drive_c/Blocked"
check "silent, into a folder below a file: exit code 5, nothing installed, nothing in %TEMP%" \
  bash -c "$(declare -f exits); exits 5 '$run' '$setup' /S '/D=C:\\Blocked\\Velto' && absent '$installed' &&
           ! '$run' reg query '$key' >/dev/null 2>&1 && tidy"
rm "$WINEPREFIX/drive_c/Blocked"

# Uninstall.exe started as it is, not in place: Windows runs a copy of it from
# %TEMP%, which goes too, whether the uninstall is done or refused.
"$run" "$setup" /S
"$run" "$launch" --hold "$winstalled\\velto.txt" 4 &
sleep 2
check "Uninstall.exe /S refused, the guide held open: Velto stays whole, nothing in %TEMP%" \
  bash -c "'$run' '$installed/Uninstall.exe' /S && tidy && present '$installed/velto.txt' '$installed/Uninstall.exe'"
helpers
check "Uninstall.exe /S: Velto goes, and nothing is left in %TEMP%" \
  bash -c "'$run' '$installed/Uninstall.exe' /S && gone '$installed' && tidy && absent '$programs'"

# A program whose current folder is the install folder (a command prompt
# left open there) holds it: it goes as soon as that program ends, or at
# the next sign-in, when the user's RunOnce entry runs.
holder() { (cd "$installed" && "$run" "$launch" --stubborn "$1") & sleep 2; }
"$run" "$setup" /S
holder 5
check "uninstalled with the install folder held: exit code 0, its folders go once it is let go" \
  bash -c "$(declare -f exits); exits 0 '$run' '$installed/Uninstall.exe' /S '_?=$winstalled' &&
           '$run' reg query '$runonce' /v Velto >/dev/null && gone '$installed' && tidy && absent '$programs'"
helpers
"$run" "$setup" /S
holder 8
check "held past the retries, the folders go at the next sign-in" \
  bash -c "'$run' '$installed/Uninstall.exe' /S '_?=$winstalled' && gone '$installed/Uninstall.exe' &&
           '$run' taskkill /f /im cmd.exe >/dev/null &&
           while ours 'launch.exe --stubbor[n]'; do sleep 0.5; done; signin; absent '$installed' '$programs' && tidy"
helpers

# ------------------------------------------------------- the user's folders
tools="$WINEPREFIX/drive_c/Tools/Velto"
check "an upgrade stays in the custom folder of the older version" \
  bash -c "'$run' '$work/old-setup.exe' /S '/D=C:\\Tools\\Velto' && present '$tools/stale.txt' && '$run' '$setup' /S &&
           present '$tools/velto.exe' && absent '$tools/stale.txt' '$installed' &&
           '$run' reg query '$key' /v InstallLocation | grep -qF 'C:\\Tools\\Velto'"
"$run" "$tools/Uninstall.exe" /S "_?=C:\\Tools\\Velto"
rm -rf "$WINEPREFIX/drive_c/Tools"

# Only Velto's own files: a user's file in the folder is never copied
# aside, even held open, nor touched; a folder of the user's own gets a
# folder Velto inside it.
old
echo "the user's own notes" >"$installed/notes.txt"
"$run" "$launch" --hold "$winstalled\\notes.txt" 8 &
sleep 2
check "an upgrade over a folder with a user's file held open goes through and leaves the file" \
  bash -c "$(declare -f exits); exits 0 '$run' '$setup' /S && version_is '$version' &&
           [ \"\$(cat '$installed/notes.txt')\" = \"the user's own notes\" ]"
helpers
rm "$installed/notes.txt"
"$run" "$installed/Uninstall.exe" /S "_?=$winstalled"
mkdir -p "$WINEPREFIX/drive_c/Tools"
echo "the user's own licence" >"$WINEPREFIX/drive_c/Tools/LICENSE.txt"
check "into a folder with a user's LICENSE.txt: installed into Velto inside it, the user's file kept, after uninstalling too" \
  bash -c "'$run' '$setup' /S '/D=C:\\Tools' && present '$tools/velto.exe' '$tools/LICENSE.txt' &&
           [ \"\$(cat '$WINEPREFIX/drive_c/Tools/LICENSE.txt')\" = \"the user's own licence\" ] &&
           '$run' '$tools/Uninstall.exe' /S '_?=C:\\Tools\\Velto' &&
           for _ in \$(seq 60); do [ -e '$tools' ] || break; sleep 0.5; done; absent '$tools' &&
           [ \"\$(cat '$WINEPREFIX/drive_c/Tools/LICENSE.txt')\" = \"the user's own licence\" ]"
rm -rf "$WINEPREFIX/drive_c/Tools"

unicode="$user/Läufer Ω 日本/Velto"
check "installed into a folder named Läufer Ω 日本, it starts from its shortcut and opens its guide" \
  bash -c "'$run' '$launch' --run '$wsetup /S /D=$winuser\\Läufer Ω 日本\\Velto' && present '$unicode/velto.exe' &&
           '$run' '$launch' --doc --shortcut '$link'"
wunicode="$winuser\\Läufer Ω 日本\\Velto"
"$run" "$launch" --run "\"$wunicode\\Uninstall.exe\" /S _?=$wunicode"
check "and is removed from there" bash -c "absent '$unicode/velto.exe' && ! '$run' reg query '$key' >/dev/null 2>&1"
clean

# A prefix with no program for .txt, as Wine makes them: Help > Doc still
# shows the guide, in Notepad. A copy of this one, which a new prefix
# would equal but for its 15 s.
cp -a "$WINEPREFIX" "$work/fresh"
WINEPREFIX="$work/fresh" "$run" reg delete 'HKCR\.txt' /f >/dev/null 2>&1
check "Help > Doc opens the guide in a Wine prefix with no program for .txt" \
  env WINEPREFIX="$work/fresh" "$run" "$launch" --doc "$wwork\\zip\\Velto-$version\\velto.exe" "$wwork\\zip\\Velto-$version"
WINEPREFIX="$work/fresh" wineserver -k 2>/dev/null

fi

echo "install: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
