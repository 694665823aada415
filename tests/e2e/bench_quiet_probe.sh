#!/usr/bin/env bash
# How long the quiet rules' check takes per key under Wine, with Windows' own
# calls and another program in front; printed, no threshold.
source "$(dirname "$0")/wine_env.sh"
e2e_begin bench_quiet_probe

target=''
trap 'status=$?; [[ -n $target ]] && e2e_driver close "Typing target" >/dev/null 2>&1; [[ -n $target ]] && wait "$target" 2>/dev/null; (exit $status); e2e_cleanup' EXIT
wine "$E2E_TYPING_TARGET" password </dev/null >/dev/null 2>&1 &
target=$!
e2e_driver foreground-is 'Typing target' 10000 || e2e_fail "the typing target did not come to the front"

out="$E2E_LOGS/$E2E_TEST.out"
status=0
wine "$E2E_QUIET_PROBE" "${1:-20000}" </dev/null >"$out" 2>&1 || status=$?
tr -d '\r' <"$out"
((status == 0)) || e2e_fail "the benchmark did not run (status $status)"
