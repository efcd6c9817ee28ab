#!/usr/bin/env bash
# Builds velto.exe and starts it under Wine. Installs what is missing for
# that first (not the test tools).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

scripts/install-deps.sh run
# The Windows tests need GoogleTest's source, which only the test command installs.
testing=OFF
[ -d /usr/src/googletest/googletest ] && testing=ON
cmake -S . -B build/windows -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=$testing \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build build/windows --target velto -j"$(nproc)"
if [ -z "${DISPLAY:-}" ]; then
  echo "No display: Velto is a window and needs one. Under a virtual display:"
  echo "  xvfb-run -a -s '-screen 0 1280x1024x24' scripts/run.sh"
  exit 1
fi
cd build/windows/ui
exec ../../../scripts/wine-run.sh velto.exe
