#!/usr/bin/env bash
# A click on a key button presses it and silences that key; a second click
# releases it and the key sounds again. Each state is stored for the scheme.
source "$(dirname "$0")/wine_env.sh"
e2e_begin key_switch

# The A button's centre in client pixels: frame at 60, button at 1080 x 2340, 375 wide.
a_button=(88 172)

wine reg delete 'HKCU\Software\Clavitone' /f </dev/null >/dev/null 2>&1
e2e_start_clavitone
e2e_wait_window || e2e_fail "Clavitone's window did not appear"
e2e_settle_with 65
e2e_show_window

shows() { e2e_driver has-text "$E2E_TITLE" "$1" 2>/dev/null; }

# The click gives the button the focus, which shows A, and then presses it.
e2e_click_client "${a_button[@]}"
e2e_poll 5000 test "$(e2e_setting_ending '-EnableSound_#65')" = 1 ||
  e2e_fail "the pressed state of A was not stored"
shows 'The sound for the button A is disabled' || e2e_fail "the details do not tell that A is disabled"
e2e_driver keys 65 || e2e_fail "could not send A"
e2e_settle_with 66
e2e_expect_count "sounds of A while its button is pressed" 1 "$(e2e_sound_count 65.wav)"

e2e_click_client "${a_button[@]}"
e2e_poll 5000 test "$(e2e_setting_ending '-EnableSound_#65')" = 0 ||
  e2e_fail "the released state of A was not stored"
shows 'The sound for the button A' || e2e_fail "the details do not show A"
shows "$(e2e_program_file 65.wav)" || e2e_fail "the path box does not show the file A plays"
e2e_driver keys 65 || e2e_fail "could not send A"
e2e_wait_sounds 65.wav 2 || e2e_fail "A stayed silent after its button was released"
e2e_expect_count "A plays its own file again" 2 "$(e2e_sound_count_path "$(e2e_program_file 65.wav)")"

wine reg delete 'HKCU\Software\Clavitone' /f </dev/null >/dev/null 2>&1
exit 0
