#!/usr/bin/env bash
# The long soak: ACTIONS random user actions (100,000 by default) on the real
# window under Wine. SEED replays a run; without it a new seed is drawn and
# printed. The test command runs a short soak of 5,000 with a fixed seed.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
actions=${ACTIONS:-100000}
seed=${SEED:-$(( (RANDOM << 15) | RANDOM ))}
echo "soak: $actions actions, seed $seed (replay with SEED=$seed)"
scripts/install-deps.sh
cmake -S . -B build/windows -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build build/windows --target window_tests -j"$(nproc)" >/dev/null
cd build/windows/tests
VELTO_SOAK_ACTIONS=$actions VELTO_SOAK_SEED=$seed \
  ../../../scripts/wine-run.sh window_tests.exe --gtest_filter='Soak.*' 2>&1 | grep -v '^ALSA lib'
