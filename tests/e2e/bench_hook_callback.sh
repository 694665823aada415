#!/usr/bin/env bash
# How long keybhook.dll's hook callback takes per key event under Wine: it
# only posts, and Windows drops a low-level hook that answers slowly.
source "$(dirname "$0")/wine_env.sh"
e2e_begin bench_hook_callback

out="$E2E_LOGS/$E2E_TEST.out"
status=0
wine "$E2E_HOOK_PROBE" bench "$(e2e_program_file keybhook.dll)" "${1:-50000}" </dev/null >"$out" 2>&1 || status=$?
tr -d '\r' <"$out"
((status == 0)) || e2e_fail "the benchmark did not run (status $status)"
