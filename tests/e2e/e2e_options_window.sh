#!/usr/bin/env bash
# "Options..." opens the modal Options window. Cancel, Escape and the close
# box store nothing; OK stores every value, and the hotkey typed into its box
# mutes at once.
source "$(dirname "$0")/scheme_env.sh"
scheme_begin options_window

options='Clavitone Options'
wine reg delete "$SCHEME_KEY" /f </dev/null >/dev/null 2>&1
e2e_start_clavitone
e2e_wait_window || e2e_fail "Clavitone's window did not appear"
e2e_show_window
e2e_settle_with 65

open_options() {
  e2e_driver click "$E2E_TITLE" 'Options...' || e2e_fail "no \"Options...\" button"
  e2e_poll 5000 scheme_window_shown "$options" || e2e_fail "the Options window did not open"
  scheme_window_enabled "$E2E_TITLE" && e2e_fail "the preferences window takes input under the Options window"
}
closed() {
  e2e_poll 5000 scheme_window_hidden "$options" || e2e_fail "the Options window stayed open after $1"
  e2e_poll 5000 scheme_window_enabled "$E2E_TITLE" || e2e_fail "the preferences window stayed disabled after $1"
}
state() { e2e_driver check-state "$options" "$1"; }
enabled() { e2e_driver enabled "$options" "$1"; }
expect_nothing_stored() {
  local key
  for key in SoundEngine Volume StereoKeys MuteHotkey QuietPrograms QuietInPasswords; do
    scheme_value "$key" >/dev/null && e2e_fail "\"$key\" was stored after $1"
  done
  e2e_note "nothing stored after $1"
}

# The defaults, and what the engine choice enables.
open_options
e2e_expect_count "Classic chosen" 1 "$(state 'Classic (one sound at a time)')"
e2e_expect_count "password fields quiet" 1 "$(state 'Quiet in password fields')"
e2e_expect_count "stereo box with Classic" 0 "$(enabled 'Stereo by key position')"
e2e_driver click "$options" 'Mixed (sounds overlap)' || e2e_fail "no Mixed option"
stereo_enabled() { [[ $(enabled 'Stereo by key position') == 1 ]]; }
e2e_poll 5000 stereo_enabled || e2e_fail "Mixed did not enable the stereo box"
e2e_driver click "$options" 'Quiet in password fields' || e2e_fail "no password box"
e2e_driver click "$options" Cancel || e2e_fail "no Cancel button"
closed Cancel
expect_nothing_stored Cancel

# The close box, then Escape (the window in front, the keys typed).
open_options
e2e_driver click "$options" 'Mixed (sounds overlap)' || e2e_fail "no Mixed option"
e2e_driver close "$options" || e2e_fail "could not close the Options window"
closed "the close box"
open_options
e2e_expect_count "Mixed after the close box" 0 "$(state 'Mixed (sounds overlap)')"
e2e_driver click "$options" 'Mixed (sounds overlap)' || e2e_fail "no Mixed option"
e2e_driver foreground-is "$options" 5000 || e2e_fail "the Options window is not in front"
e2e_driver keys 27 || e2e_fail "could not press Escape"
closed Escape
expect_nothing_stored "the close box and Escape"

# OK stores everything; the hotkey typed into its box works at once.
open_options
e2e_driver foreground-is "$options" 5000 || e2e_fail "the Options window is not in front"
e2e_driver keys 9 || e2e_fail "could not press Tab"  # from Classic past the greyed engine controls
for vk in 17 18 77; do e2e_driver down "$vk" || e2e_fail "could not press $vk"; done
for vk in 77 18 17; do e2e_driver up "$vk" || e2e_fail "could not release $vk"; done
hotkey_typed() { [[ $(e2e_driver hotkey-value "$options") == $(((0x02 | 0x04) << 8 | 77)) ]]; }
e2e_poll 5000 hotkey_typed || e2e_fail "Ctrl+Alt+M did not reach the hotkey box"
e2e_driver click "$options" 'Mixed (sounds overlap)' || e2e_fail "no Mixed option"
e2e_driver click "$options" 'Stereo by key position' || e2e_fail "no stereo box"
e2e_driver click "$options" 'Quiet in password fields' || e2e_fail "no password box"
e2e_driver click "$options" OK || e2e_fail "no OK button"
closed OK
scheme_expect_value SoundEngine 1
scheme_expect_value Volume 100
scheme_expect_value StereoKeys 1
scheme_expect_value MuteHotkey $(((0x02 | 0x04) << 8 | 77))
scheme_expect_value QuietPrograms ''
scheme_expect_value QuietInPasswords 0

open_options
e2e_expect_count "Mixed after OK" 1 "$(state 'Mixed (sounds overlap)')"
e2e_expect_count "password box after OK" 0 "$(state 'Quiet in password fields')"
e2e_driver click "$options" Cancel || e2e_fail "no Cancel button"
closed Cancel

save_as_enabled() { [[ $(e2e_driver enabled "$E2E_TITLE" 'Save as...') == "$1" ]]; }
for vk in 17 18 77; do e2e_driver down "$vk" || e2e_fail "could not press $vk"; done
for vk in 77 18 17; do e2e_driver up "$vk" || e2e_fail "could not release $vk"; done
e2e_poll 5000 save_as_enabled 0 || e2e_fail "the hotkey stored with OK did not mute"
exit 0
