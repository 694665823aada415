#!/usr/bin/env bash
# Closing the window ends Clavitone cleanly; keys typed afterwards play nothing.
source "$(dirname "$0")/wine_env.sh"
e2e_begin shutdown

e2e_start_clavitone
e2e_wait_window || e2e_fail "Clavitone's window did not appear"
e2e_driver keys 65 || e2e_fail "could not send A"
e2e_wait_sounds 65.wav 1 || e2e_fail "pressing A played nothing"

e2e_driver close "$E2E_TITLE" || e2e_fail "could not close the window"
e2e_wait_exit "$CLAVITONE_PID" 10000 || e2e_fail "Clavitone still runs after its window was closed"
e2e_expect_count "exit status" 0 "$E2E_EXIT_STATUS"
e2e_expect_count "windows titled \"$E2E_TITLE\"" 0 "$(e2e_count_windows)"

sounds_before=$(grep -c 'proc_PlaySound SoundName=' "$CLAVITONE_LOG")
e2e_driver keys 65 || e2e_fail "typing failed once Clavitone had ended"
e2e_expect_count "sounds after the end" "$sounds_before" \
  "$(grep -c 'proc_PlaySound SoundName=' "$CLAVITONE_LOG")"
