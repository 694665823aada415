#!/usr/bin/env bash
# Holding Shift sounds once however long the keyboard repeats it; holding a
# letter sounds with every repeat.
source "$(dirname "$0")/wine_env.sh"
e2e_begin held_shift

e2e_start_clavitone
e2e_wait_window || e2e_fail "Clavitone's window did not appear"

e2e_driver down 16 || e2e_fail "could not press Shift"
e2e_driver repeat 16 5 || e2e_fail "could not repeat Shift"
e2e_driver up 16 || e2e_fail "could not release Shift"
e2e_settle_with 65
# The hook may see left Shift as 160; it must still be the Shift sound.
e2e_expect_count "sounds of a held Shift" 1 "$(e2e_sound_count 16.wav)"
e2e_expect_count "sounds of left Shift by its own code" 0 "$(e2e_sound_count 160.wav)"

e2e_driver repeat 66 3 || e2e_fail "could not repeat B"
e2e_driver up 66 || e2e_fail "could not release B"
e2e_settle_with 67
e2e_expect_count "sounds of B held for three repeats" 3 "$(e2e_sound_count 66.wav)"
