#!/usr/bin/env bash
# Benchmarks, each against a floor built and run the same way in the same
# run: thumb drags on the real window against a window making only the
# platform calls a drag needs; start-up and peak memory against a minimal
# program that plays the same chime the same way (and the same without the
# chime, and the same with Velto's manifest and one button); the runner's
# tools opened on a table of 10,000 rows; ReCalc and atosecs on the host;
# the size of velto.exe.
# Prints a Markdown table.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/install-deps.sh
cmake -S . -B build/host -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/host --target core_bench -j"$(nproc)" >/dev/null
cmake -S . -B build/windows -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build build/windows --target velto window_bench minimal minimal_themed tools_floor -j"$(nproc)" >/dev/null

. scripts/xvfb.sh
[ -n "${DISPLAY:-}" ] || { start_xvfb; trap 'kill "$xvfb_pid"; WINEPREFIX=$PWD/build/wineprefix wineserver -k' EXIT; }
winpath() { local p; p=$(cd "$(dirname "$1")" && pwd)/$(basename "$1"); echo "Z:${p//\//\\}"; }

echo "Velto benchmarks, $(date -u +%Y-%m-%d), $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), Wine $(wine --version | sed 's/wine-//')"
echo
echo "| measure | Velto | floor | Velto / floor | silent floor |"
echo "|---|---|---|---|---|"
(cd build/windows/tests && ../../../scripts/wine-run.sh window_bench.exe drag 2>/dev/null | tr -d '\r')
floor=$(cd build/windows/tests && ../../../scripts/wine-run.sh tools_floor.exe 2>/dev/null | tr -d '\r')
(cd build/windows/tests && ../../../scripts/wine-run.sh window_bench.exe tools $floor 2>/dev/null | tr -d '\r')
(cd build/windows/tests && ../../../scripts/wine-run.sh window_bench.exe course 2>/dev/null | tr -d '\r')
velto=$(winpath build/windows/ui/velto.exe) minimal=$(winpath build/windows/tests/minimal.exe)
folder=$(winpath build/windows/ui/velto.exe) themed=$(winpath build/windows/tests/minimal_themed.exe)
(cd build/windows/tests && ../../../scripts/wine-run.sh window_bench.exe startup "$velto" "$minimal" \
  "${folder%\\velto.exe}" "$themed" 2>/dev/null | tr -d '\r')
build/host/tests/core_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_format=csv 2>/dev/null | awk -F, '/_median/ { gsub(/"/, "", $1); sub(/_median/, "", $1);
    printf "| host %s, median of 5 | %.0f ns | | | |\n", $1, $3 }'
echo "| velto.exe size | $(stat -c %s build/windows/ui/velto.exe) bytes | | | |"
