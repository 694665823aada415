#!/usr/bin/env bash
# A running instance whose marker this user may not open (one started with
# higher rights, say by an installer) still counts: a new start ends by itself
# instead of adding a second hook, so no key would ever sound twice.
source "$(dirname "$0")/wine_env.sh"
e2e_begin locked_instance

# The stand-in for the running instance lives in the background (the driver's
# own output files belong to the foreground calls) and counts as one of ours.
wine "$E2E_DRIVER" hold-locked-mutex "$E2E_INSTANCE_MUTEX" 20000 </dev/null >/dev/null 2>"$E2E_LOGS/$E2E_TEST-holder.log" &
holder_pid=$!
E2E_CHILDREN+=("$holder_pid")
e2e_poll 5000 e2e_driver mutex-denied "$E2E_INSTANCE_MUTEX" 2>/dev/null ||
  e2e_fail "this Wine does not refuse a mutex with an empty access list"

e2e_start_clavitone
e2e_wait_exit "$CLAVITONE_PID" 10000 || e2e_fail "Clavitone runs beside an instance it may not see into"
e2e_note "Clavitone ended by itself (status $E2E_EXIT_STATUS)"
e2e_expect_count "windows titled \"$E2E_TITLE\"" 0 "$(e2e_count_windows)"

e2e_driver release-mutex "$E2E_INSTANCE_MUTEX" || e2e_fail "could not end the stand-in instance"
e2e_wait_exit "$holder_pid" 5000 || e2e_fail "the stand-in instance did not end"
