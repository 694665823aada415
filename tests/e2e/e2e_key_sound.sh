#!/usr/bin/env bash
# A key pressed in another program sounds once, with the WAV named after the
# key code in Clavitone's own folder.
source "$(dirname "$0")/wine_env.sh"
e2e_begin key_sound

e2e_start_clavitone
e2e_wait_window || e2e_fail "Clavitone's window did not appear"

e2e_driver keys 65 || e2e_fail "could not send A"
e2e_wait_sounds 65.wav 1 || e2e_fail "pressing A played nothing"
e2e_expect_count "A played from the program folder" 1 \
  "$(e2e_sound_count_path "$(e2e_program_file 65.wav)")"

# Down and up are one press: only the down may sound.
e2e_settle_with 66
e2e_expect_count "sounds of A after one press" 1 "$(e2e_sound_count 65.wav)"
