#!/usr/bin/env bash
# Long fuzz runs: RUNS inputs (ten million by default) for every target, then
# the seed corpus in tests/fuzz/corpus/ replaced by the minimised union of
# itself and what the run found. Exits non-zero when a target fails.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
runs=${RUNS:-10000000}
scripts/install-deps.sh
cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTO_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build/fuzz -j"$(nproc)" >/dev/null
for target in fuzz_atosecs fuzz_timestring fuzz_entry fuzz_tools fuzz_settings fuzz_course fuzz_planfile; do
  exe=build/fuzz/tests/fuzz/$target
  corpus=tests/fuzz/corpus/$target
  found=build/fuzz/long-$target
  rm -rf "$found" "$corpus.min"
  mkdir -p "$found" "$corpus.min"
  start=$(date +%s)
  "$exe" -runs="$runs" -timeout=5 -print_final_stats=1 "$found" "$corpus" 2>"build/fuzz/$target.log" ||
    { tail -30 "build/fuzz/$target.log"; exit 1; }
  "$exe" -merge=1 "$corpus.min" "$corpus" "$found" 2>>"build/fuzz/$target.log"
  rm -rf "$corpus" && mv "$corpus.min" "$corpus"
  echo "$target: $(grep -o 'Done [0-9]* runs' "build/fuzz/$target.log" | tail -1) in $(($(date +%s) - start)) s," \
    "corpus $(ls "$corpus" | wc -l) files"
done
