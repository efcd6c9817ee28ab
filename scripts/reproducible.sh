#!/usr/bin/env bash
# Builds the release of the current commit twice, from two clean clones in
# two folders, one after the other, and compares velto.exe, the zip and the
# installer byte for byte. Not part of scripts/test.sh: it takes a few
# minutes (two full Windows builds).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/install-deps.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
commit=$(git rev-parse HEAD)
trees=("$work/one" "$work/second/tree")
for tree in "${trees[@]}"; do
  git clone -q . "$tree"
  git -C "$tree" checkout -q "$commit"
  start=$(date +%s)
  cmake -S "$tree" -B "$tree/build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$tree/cmake/mingw-w64-x86_64.cmake" >/dev/null
  cmake --build "$tree/build" --target package -j"$(nproc)" >/dev/null
  echo "built $commit in $tree in $(($(date +%s) - start)) s"
done
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "${trees[0]}/build/CMakeCache.txt")
same=0
for artefact in ui/velto.exe "velto-$version-win64.zip" "velto-$version-setup.exe"; do
  a=$(sha256sum <"${trees[0]}/build/$artefact" | cut -d' ' -f1)
  b=$(sha256sum <"${trees[1]}/build/$artefact" | cut -d' ' -f1)
  if [ "$a" = "$b" ]; then
    echo "same:    $artefact $(stat -c %s "${trees[0]}/build/$artefact") bytes sha256 $a"
    same=$((same + 1))
  else
    echo "DIFFERS: $artefact ($a, $b)"
  fi
done
echo "reproducible: $same of 3 artefacts identical"
[ "$same" -eq 3 ]
