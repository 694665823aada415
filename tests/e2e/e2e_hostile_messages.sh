#!/usr/bin/env bash
# Another program on the desktop posts Clavitone's windows every private
# message number with an lParam that points nowhere: Clavitone runs on, its
# keys sound and its buttons answer. And a key-down that reaches the window
# more than a quarter of a second after it was typed plays nothing.
source "$(dirname "$0")/wine_env.sh"
e2e_begin hostile_messages

e2e_start_clavitone
e2e_wait_window || e2e_fail "Clavitone's window did not appear"
e2e_driver show "$E2E_TITLE" || e2e_fail "could not show the preferences window"
e2e_driver keys 65 || e2e_fail "could not send A"
e2e_wait_sounds 65.wav 1 || e2e_fail "pressing A played nothing"

e2e_driver flood "$E2E_TITLE" 3 || e2e_fail "could not post the flood"
sleep 1
e2e_alive "$CLAVITONE_PID" || e2e_fail "the posted messages took Clavitone down"
e2e_driver keys 65 || e2e_fail "could not send A"
e2e_wait_sounds 65.wav 2 || e2e_fail "A is silent after the flood"
e2e_driver wait-window "$E2E_TITLE" 1000 || e2e_fail "the window is gone after the flood"
e2e_note "Clavitone runs on after the flood"

# The hook's own message, stamped long ago and just now.
e2e_driver old-key "$E2E_TITLE" 66 2000 || e2e_fail "could not post an old key"
e2e_driver old-key "$E2E_TITLE" 67 0 || e2e_fail "could not post a fresh key"
e2e_wait_sounds 67.wav 1 || e2e_fail "a fresh key from the hook played nothing"
e2e_settle_with 68
e2e_expect_count "sounds of a key typed 2 s before it arrived" 0 "$(e2e_sound_count 66.wav)"
exit 0
