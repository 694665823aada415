#!/usr/bin/env bash
# Builds both presets with warnings as errors and runs every test: the unit
# tests on the host, then the end-to-end tests of the Windows build under Wine.
# Ends with one line "N passed, N failed" over both runs.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1

bash tools/deps.sh || exit 1

passed=0
failed=0
log_dir=$(mktemp -d)
trap 'rm -rf "$log_dir"' EXIT

# Configures, builds and tests one preset, adding its results to the totals.
# A preset that does not build counts as one failure: its tests never ran.
run_preset() {
  local preset=$1 log="$log_dir/$1.log"
  echo "=== $preset: build"
  if ! cmake --preset "$preset" -DCLAVITONE_WERROR=ON ||
    ! cmake --build --preset "$preset" --parallel "$(nproc)"; then
    echo "test: the $preset build failed" >&2
    failed=$((failed + 1))
    return
  fi
  echo "=== $preset: tests"
  local status=0
  # The log goes to a file rather than through a pipe, so that no helper
  # process a test leaves behind can hold this script's output open.
  ctest --preset "$preset" --no-tests=error --parallel "$(nproc)" --output-log "$log" || status=$?
  local summary
  summary=$(grep -Eo '[0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [[ $summary =~ ^([0-9]+)\ tests?\ failed\ out\ of\ ([0-9]+)$ ]]; then
    failed=$((failed + BASH_REMATCH[1]))
    passed=$((passed + BASH_REMATCH[2] - BASH_REMATCH[1]))
    if ((status != 0 && BASH_REMATCH[1] == 0)); then
      echo "test: ctest failed for $preset" >&2
      failed=$((failed + 1))
    fi
  else
    echo "test: ctest ran no tests for $preset" >&2
    failed=$((failed + 1))
  fi
}

run_preset host
run_preset win32

echo "$passed passed, $failed failed"
((failed == 0))
