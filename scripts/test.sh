#!/usr/bin/env bash
# Builds and runs every test: the core on the host, static analysis, the core
# again under AddressSanitizer and UBSan, the same core tests built for
# Windows and run under Wine with the window, soak and install tests, and
# short fuzz runs. Installs what is missing first.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

scripts/install-deps.sh || exit 1
jobs=$(nproc)
logs=build/test-logs
mkdir -p "$logs"

xvfb_pid=
cleanup() {
  WINEPREFIX=$PWD/build/wineprefix wineserver -k 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  true
}
trap cleanup EXIT

# One display and one wineserver for every Windows test of the run.
. scripts/xvfb.sh
[ -n "${DISPLAY:-}" ] || start_xvfb

passed=0
failed=0
suite() {  # name, build dir, cmake options...
  local name=$1 dir=$2
  shift 2
  echo "== $name"
  if ! cmake -S . -B "$dir" "$@" >"$logs/$name-configure.log" 2>&1 ||
     ! cmake --build "$dir" -j"$jobs" >"$logs/$name-build.log" 2>&1; then
    tail -40 "$logs/$name-configure.log" "$logs/$name-build.log" 2>/dev/null
    echo "$name: build failed"
    failed=$((failed + 1))
    return
  fi
  ctest --test-dir "$dir" --output-on-failure -j"$jobs" 2>&1 | tee "$logs/$name-ctest.log" | grep -vE '^ +Start |^Internal ctest'
  local line total bad
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$logs/$name-ctest.log" | tail -1)
  if [ -z "$line" ]; then
    echo "$name: ctest did not finish"
    failed=$((failed + 1))
    return
  fi
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
  bad=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
  passed=$((passed + total - bad))
  failed=$((failed + bad))
}

# A static check passes when it prints nothing and exits with 0.
analysis() {  # name, command...
  local name=$1
  shift
  if "$@" >"$logs/$name.log" 2>&1; then
    echo "$name: clean"
    passed=$((passed + 1))
  else
    cat "$logs/$name.log"
    echo "$name: FAILED"
    failed=$((failed + 1))
  fi
}

suite host build/host -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_EXPORT_COMPILE_COMMANDS=ON
echo "== analysis"
analysis cppcheck-program cppcheck --enable=warning,style,performance,portability --std=c++17 \
  --inline-suppr --quiet --error-exitcode=1 --library=windows -D_WIN32 -I . time model ui
analysis cppcheck-tests cppcheck --enable=warning,performance,portability --std=c++17 \
  --inline-suppr --quiet --error-exitcode=1 --library=googletest --library=windows -D_WIN32 -I . tests
analysis clang-tidy clang-tidy --quiet -p build/host time/*.cpp model/*.cpp
suite sanitizers build/asan -DCMAKE_BUILD_TYPE=Debug -DVELTO_SANITIZE=ON
suite windows build/windows -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake"
# The window code as the cross compiler sees it: its target and its C++ headers.
mingw=$(x86_64-w64-mingw32-g++ -print-file-name=include)/c++
analysis clang-tidy-window clang-tidy --quiet -p build/windows ui/*.cpp ui/tools/*.cpp --extra-arg=--target=x86_64-w64-mingw32 \
  --extra-arg=-isystem"$mingw" --extra-arg=-isystem"$mingw/x86_64-w64-mingw32" --extra-arg=-isystem"$mingw/backward"
suite fuzz build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTO_FUZZ=ON \
  -DCMAKE_CXX_COMPILER=clang++

echo "tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
