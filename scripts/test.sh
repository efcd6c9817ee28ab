#!/usr/bin/env bash
# Builds and runs every test: the core on the host, static analysis, the core
# again under AddressSanitizer and UBSan, the same core tests built for
# Windows and run under Wine with the window, soak and install tests, and
# short fuzz runs. Installs what is missing first.
#
# Each suite builds in a folder of its own, so the four build at once, the
# Windows one first; its tests start as soon as it is built, on a Wine
# prefix and a display made ready meanwhile, and the other suites run
# beside them. The seconds of each stage are printed at the end.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
began=$SECONDS

scripts/install-deps.sh || exit 1
# Garmin's FIT SDK, which reads back what Velto exports, runs on Node.js.
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  scripts/install-deps.sh all nodejs npm || exit 1
fi
if [ ! -d tests/fit/node_modules/@garmin/fitsdk ]; then
  npm ci --prefix tests/fit --no-audit --no-fund --loglevel=error </dev/null || exit 1
fi
installed=$((SECONDS - began))

jobs=$(nproc)
logs=build/test-logs
rm -rf "$logs" && mkdir -p "$logs"
prefixes=("$PWD/build/wineprefix")

xvfb_pid=
cleanup() {
  for p in "${prefixes[@]}" "$PWD"/build/windows/wineprefix-*; do
    [ -d "$p" ] && WINEPREFIX=$p wineserver -k 2>/dev/null
  done
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  kill $(jobs -p) 2>/dev/null
  true
}
trap cleanup EXIT

# One display for every Windows test of the run.
. scripts/xvfb.sh
[ -n "${DISPLAY:-}" ] || start_xvfb
# A stage runs in the background; its outcome and seconds land in the logs.
stage() {  # name, command...
  local name=$1
  shift
  (
    local start=$SECONDS
    # The Windows build and its tests are the longest path: all else yields.
    case $name in build-windows | windows) ;; *) renice -n 10 -p "$BASHPID" >/dev/null ;; esac
    "$@"
    echo "$? $((SECONDS - start))" >"$logs/$name.done"
  ) &
}

build() {  # name, build dir, niceness, cmake options...
  local name=$1 dir=$2 niceness=$3
  shift 3
  cmake -S . -B "$dir" "$@" >"$logs/$name-configure.log" 2>&1 &&
    nice -n "$niceness" cmake --build "$dir" -j"$jobs" >"$logs/$name-build.log" 2>&1
}
# The ctest of a suite: its tally goes to NAME.tally, as "passed failed".
check() {  # name, build dir, ctest options...
  local name=$1 dir=$2
  shift 2
  ctest --test-dir "$dir" --output-on-failure "$@" >"$logs/$name-ctest.log" 2>&1
  local line
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$logs/$name-ctest.log" | tail -1)
  if [ -z "$line" ]; then
    echo "0 1" >"$logs/$name.tally"
    return 1
  fi
  local total bad
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
  bad=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
  echo "$((total - bad)) $bad" >"$logs/$name.tally"
  [ "$bad" -eq 0 ]
}
# A static check passes when it prints nothing and exits with 0.
analysis() {  # name, command...
  local name=$1
  shift
  if "$@" >"$logs/$name.log" 2>&1; then
    echo "1 0" >"$logs/$name.tally"
  else
    echo "0 1" >"$logs/$name.tally"
    return 1
  fi
}

# The Wine prefix made while the programs build, then copied for each test
# that has one of its own (a copy takes a moment, a new prefix some 15 s).
ready_prefixes() {
  exec >"$logs/prefixes.log" 2>&1
  scripts/wine-run.sh cmd /c exit </dev/null || return 1
  WINEPREFIX=$PWD/build/wineprefix wineserver -k 2>/dev/null  # its registry written out
  mkdir -p build/windows
  for own in 144dpi install uninstall soak; do
    rm -rf "build/windows/wineprefix-$own" && cp -a build/wineprefix "build/windows/wineprefix-$own" || return 1
  done
  # The soak checks the model after each action, never a pixel: its windows
  # and some 1,600 error boxes need not reach an X display (Wine's null
  # display driver; the server is down, so its registry file is the key's).
  printf '\n[Software\\\\Wine\\\\Drivers] 0\n"Graphics"="null"\n' >>build/windows/wineprefix-soak/user.reg
}
stage prefixes ready_prefixes

toolchain=-DCMAKE_TOOLCHAIN_FILE=$PWD/cmake/mingw-w64-x86_64.cmake
stage build-windows build windows build/windows 0 -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON \
  -DCMAKE_EXPORT_COMPILE_COMMANDS=ON "$toolchain"
stage build-host build host build/host 10 -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_EXPORT_COMPILE_COMMANDS=ON
stage build-sanitizers build sanitizers build/asan 10 -DCMAKE_BUILD_TYPE=Debug -DVELTO_SANITIZE=ON
stage build-fuzz build fuzz build/fuzz 10 -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTO_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++

# clang-tidy over the window code as the cross compiler sees it: its target
# and its C++ headers, the commands without GCC's precompiled headers, and
# windows.h and commctrl.h parsed once, as clang's own precompiled header,
# with the files' own flags (a mismatch stops clang-tidy with an error).
tidy_window() {
  local dir=build/windows/tidy mingw flags
  mingw=$(x86_64-w64-mingw32-g++ -print-file-name=include)/c++
  local target=(--target=x86_64-w64-mingw32 "-isystem$mingw" "-isystem$mingw/x86_64-w64-mingw32" "-isystem$mingw/backward")
  mkdir -p "$dir"
  sed -E 's# -include [^ ]*cmake_pch\.hxx##g; s# -Winvalid-pch##g' build/windows/compile_commands.json \
    >"$dir/compile_commands.json"
  flags=$(grep -m1 -oE '"command": "[^"]*/ui/velto\.cpp' "$dir/compile_commands.json" | grep -oE ' -(D[^ ]+|O[0-9s]|std=[^ ]+)')
  printf '#include <windows.h>\n#include <commctrl.h>\n' >"$dir/system.h"
  # shellcheck disable=SC2086 # the flags are words
  clang++ "${target[@]}" $flags -x c++-header "$dir/system.h" -o "$dir/system.pch" || return 1
  ls ui/*.cpp ui/tools/*.cpp | xargs -P"$jobs" -n4 clang-tidy --quiet -p "$dir" "${target[@]/#/--extra-arg=}" \
    --extra-arg=-include-pch "--extra-arg=$PWD/$dir/system.pch"
}

# Each suite's tests start as soon as it is built. The Windows tests run
# three at a time (more only add Wine's cost of sharing the cores), each
# with a Wine prefix of its own where they would disturb each other.
start_tests() {
  case $1 in
  windows)
    stage windows check windows build/windows -j3
    stage clang-tidy-window analysis clang-tidy-window tidy_window
    ;;
  host)
    stage host check host build/host -j"$jobs"
    stage cppcheck-program analysis cppcheck-program cppcheck --enable=warning,style,performance,portability \
      --std=c++17 --inline-suppr --quiet --error-exitcode=1 --library=windows -D_WIN32 -I . time model ui
    stage cppcheck-tests analysis cppcheck-tests cppcheck --enable=warning,performance,portability --std=c++17 \
      --inline-suppr --quiet --error-exitcode=1 --library=googletest --library=windows -D_WIN32 -I . tests
    stage clang-tidy analysis clang-tidy bash -c "ls time/*.cpp model/*.cpp | xargs -P$jobs -n4 clang-tidy --quiet -p build/host"
    ;;
  sanitizers) stage sanitizers check sanitizers build/asan -j"$jobs" ;;
  fuzz) stage fuzz check fuzz build/fuzz -j"$jobs" ;;
  esac
}
pending=" windows host sanitizers fuzz "
while [ "$pending" != " " ]; do
  for suite in $pending; do
    [ -f "$logs/build-$suite.done" ] || continue
    [ "$suite" != windows ] || [ -f "$logs/prefixes.done" ] || continue
    pending=${pending/ $suite / }
    read -r status _ <"$logs/build-$suite.done"
    [ "$status" -eq 0 ] && start_tests "$suite"
  done
  sleep 1
done
for p in $(jobs -p); do [ "$p" = "$xvfb_pid" ] || wait "$p"; done  # every stage, not the display

# What each stage found, its log where it failed, and its seconds.
passed=0 failed=0
printf '\n%-18s %8s  %s\n' stage seconds result
printf '%-18s %8s  %s\n' packages "$installed" ok
for name in prefixes build-windows build-host build-sanitizers build-fuzz windows host cppcheck-program cppcheck-tests \
            clang-tidy clang-tidy-window sanitizers fuzz; do
  status=1 seconds=-
  [ -f "$logs/$name.done" ] && read -r status seconds <"$logs/$name.done"
  result=ok
  if [ -f "$logs/$name.tally" ]; then
    read -r good bad <"$logs/$name.tally"
    passed=$((passed + good)) failed=$((failed + bad))
    result="$good passed, $bad failed"
  elif [ "$status" -ne 0 ]; then
    failed=$((failed + 1)) result="FAILED"
  fi
  printf '%-18s %8s  %s\n' "$name" "$seconds" "$result"
  if [ "$status" -ne 0 ]; then
    for log in "$logs/$name"*.log "$logs/${name#build-}"-configure.log "$logs/${name#build-}"-build.log; do
      [ -s "$log" ] && { echo "--- $log"; grep -vE '^ +Start |^Internal ctest' "$log" | tail -60; }
    done
  fi
done
echo "tests: $passed passed, $failed failed, in $((SECONDS - began)) s"
[ "$failed" -eq 0 ]
