#!/usr/bin/env bash
# Builds every preset with warnings as errors and runs every test: the unit
# tests on the host, the checks of both Windows builds' files, and the
# end-to-end tests under Wine of the build this machine can run (the 32-bit
# one where 32-bit programs start, else the 64-bit one; CLAVITONE_WINE_BUILD
# forces either), then refreshes the README's picture and the screenshots in
# docs/. Ends with one line "N passed, N failed" over all runs.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1

bash tools/deps.sh || exit 1
source tools/wine_loader.sh
wine_build=$(wine_choose_build e2e testing) || exit 1

passed=0
failed=0
log_dir=$(mktemp -d)
trap 'rm -rf "$log_dir"' EXIT

# Configures, builds and tests one preset, adding its results to the totals;
# further arguments go to ctest. A preset that does not build counts as one
# failure: its tests never ran.
run_preset() {
  local preset=$1 log="$log_dir/$1.log"
  shift
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
  ctest --preset "$preset" --no-tests=error --parallel "$(nproc)" --output-log "$log" "$@" || status=$?
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

# The Wine tests of the other Windows build are left out, not skipped: that
# build's own files are still checked.
wine_tests_of() {
  [[ $1 == "$wine_build" ]] || echo --label-exclude wine
}

run_preset host
run_preset win32 $(wine_tests_of win32)
run_preset win64 $(wine_tests_of win64)

# The README's picture and the screenshots in docs/screenshots are the
# windows as the Wine tests saw them, so that they cannot fall behind.
# Pixels are compared, not bytes: each screenshot carries its own time
# stamps, and the underlines of the access keys come and go with the keys
# the tests pressed before.
refresh_picture() {
  local shot="build/$wine_build/artifacts/$1" copy=$2 differing
  if [[ ! -f $shot ]]; then
    echo "test: no screenshot $shot for $copy" >&2
    failed=$((failed + 1))
    return
  fi
  differing=$(compare -metric AE "$shot" "$copy" null: 2>&1)  # not a number: another size, or none yet
  if ! [[ $differing =~ ^[0-9]+$ ]] || ((differing > 100)); then
    convert "$shot" -strip "$copy" && echo "$copy refreshed from $shot"
  fi
}
refresh_picture frmPref-96dpi.png docs/preferences.png
for shot in frmPref-96dpi frmPref-120dpi release-row-96dpi release-row-120dpi frmOptions-96dpi frmOptions-120dpi \
  frmOptions-engine-on frmOptions-engine-failed frmAbout-96dpi frmAbout-120dpi; do
  refresh_picture "$shot.png" "docs/screenshots/$shot.png"
done

echo "$passed passed, $failed failed"
((failed == 0))
