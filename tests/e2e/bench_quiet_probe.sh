#!/usr/bin/env bash
# How long the quiet rules' check takes per key under Wine, with Windows' own
# calls and another program in front; printed, no threshold.
source "$(dirname "$0")/wine_env.sh"
e2e_begin bench_quiet_probe

trap 'status=$?; e2e_end_typing_target; (exit $status); e2e_cleanup' EXIT
e2e_start_typing_target password

out="$E2E_LOGS/$E2E_TEST.out"
status=0
wine "$E2E_QUIET_PROBE" "${1:-20000}" </dev/null >"$out" 2>&1 || status=$?
tr -d '\r' <"$out"
((status == 0)) || e2e_fail "the benchmark did not run (status $status)"
