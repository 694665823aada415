#!/usr/bin/env bash
# A second start while Clavitone runs ends by itself; the first copy keeps
# its window and keeps sounding.
source "$(dirname "$0")/wine_env.sh"
e2e_begin single_instance

e2e_start_clavitone first
first_pid=$CLAVITONE_PID first_log=$CLAVITONE_LOG
e2e_wait_window || e2e_fail "Clavitone's window did not appear"

e2e_start_clavitone second
second_pid=$CLAVITONE_PID
e2e_wait_exit "$second_pid" 10000 || e2e_fail "the second Clavitone is still running"
e2e_note "the second Clavitone ended by itself (status $E2E_EXIT_STATUS)"

e2e_alive "$first_pid" || e2e_fail "the first Clavitone ended too"
e2e_expect_count "windows titled \"$E2E_TITLE\"" 1 "$(e2e_count_windows)"

CLAVITONE_PID=$first_pid CLAVITONE_LOG=$first_log
e2e_driver keys 65 || e2e_fail "could not send A"
e2e_wait_sounds 65.wav 1 || e2e_fail "the first Clavitone no longer sounds"
