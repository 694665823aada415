#!/usr/bin/env bash
# keybhook.dll leaves no half state behind: a refused hook ends its thread and
# the next install tries again; without a way to wait for its thread the
# install starts none; the hook thread runs at a raised priority.
source "$(dirname "$0")/wine_env.sh"
e2e_begin hook_faults

out="$E2E_LOGS/$E2E_TEST.out"
status=0
wine "$E2E_HOOK_PROBE" faults "$(e2e_program_file keybhook.dll)" </dev/null >"$out" 2>&1 || status=$?
tr -d '\r' <"$out"
((status == 0)) || e2e_fail "keybhook.dll failed its checks (status $status)"
