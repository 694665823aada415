#!/usr/bin/env bash
# Picking another scheme in the list changes what a key plays, and the
# choice is remembered.
source "$(dirname "$0")/scheme_env.sh"
scheme_begin scheme_switch

scheme_store Settings SchemesQuantity 2 Scheme0 Typewriter Scheme1 Voice LastScheme 0 \
  'Typewriter_#65' 'C:\snd\tw65.wav' 'Voice_#65' 'C:\snd\v65.wav'
scheme_start $'*Typewriter\nVoice'

scheme_expect_sound 65 tw65.wav 1
e2e_driver pick "$E2E_TITLE" 1 || e2e_fail "could not pick Voice"
scheme_expect_list $'Typewriter\n*Voice'
scheme_expect_value LastScheme 1
scheme_expect_sound 65 v65.wav 1
e2e_expect_count "Typewriter sounds after the switch" 1 "$(e2e_sound_count tw65.wav)"

e2e_driver pick "$E2E_TITLE" 0 || e2e_fail "could not pick Typewriter"
scheme_expect_value LastScheme 0
scheme_expect_sound 65 tw65.wav 2

# The user's own pick: the list opened with the mouse, the entry chosen with the keys.
e2e_poll 5000 e2e_window_mapped || e2e_fail "the window was not mapped on the display"
e2e_click_client 203 34
xdotool key --delay 50 Down Return
scheme_expect_list $'Typewriter\n*Voice'
scheme_expect_value LastScheme 1
scheme_expect_sound 65 v65.wav 2
exit 0
