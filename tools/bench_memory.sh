#!/usr/bin/env bash
# Clavitone's memory beside a bare window program's, under Wine, up to 3000
# keys (or KEYS), as the median of 3 rounds (or ROUNDS): builds the Windows
# build this machine can run and prints the benchmark's figures.
# Usage: bash tools/bench_memory.sh [KEYS [ROUNDS]]
set -euo pipefail
cd "$(dirname "$0")/.."

source tools/wine_loader.sh
build=$(wine_choose_build bench_memory measuring)
cmake --preset "$build" -DCLAVITONE_WERROR=ON >/dev/null
cmake --build --preset "$build" -j2 >/dev/null
BENCH_MEMORY_KEYS=${1:-3000} BENCH_MEMORY_SHOWS=5 BENCH_MEMORY_ROUNDS=${2:-3} ctest --preset "$build" -L wine -R '^(bench_memory|e2e_setup|e2e_teardown)$' -V |
  sed -n 's/^[0-9]*: //p' | grep -v -e '^Environment variables' -e '^ E2E_' -e '^Test command' -e '^Working Directory' -e 'Test timeout'
