#!/usr/bin/env bash
# The details area follows the focus as the keyboard moves it: the first Tab
# after showing reaches Esc, Tab walks on into the keyboard picture, a key's
# long name stays readable in the label, and leaving the keyboard picture
# resets the area at once, with no stop on anything unseen.
source "$(dirname "$0")/wine_env.sh"
e2e_begin focus_moves

right_button=(505 225)
idle='Path to sound'

wine reg delete 'HKCU\Software\Clavitone' /f </dev/null >/dev/null 2>&1
e2e_start_clavitone
e2e_wait_window || e2e_fail "Clavitone's window did not appear"
e2e_settle_with 65
e2e_show_window

shows() { e2e_driver has-text "$E2E_TITLE" "$1" >/dev/null 2>&1; }
focused() { e2e_driver focused "$E2E_TITLE"; }
tab() { e2e_driver keys 9 || e2e_fail "could not press Tab"; }
back_tab() { e2e_driver down 16 && e2e_driver keys 9 && e2e_driver up 16 || e2e_fail "could not press Shift+Tab"; }

# Label, path box and "Find sound" each enabled (1) or not (0).
look() {
  local control
  for control in "$@"; do
    e2e_driver enabled "$E2E_TITLE" "$control"
  done | tr -d '\n'
}

e2e_poll 5000 test "$(focused)" = " Minimize" || e2e_fail "on showing, the focus is on '$(focused)', not \" Minimize\""
e2e_expect_count "idle details enabled" 000 "$(look "$idle" None 'Find sound')"
tab
e2e_poll 5000 shows 'The sound for the button Esc' || e2e_fail "the first Tab did not show Esc"
e2e_expect_count "details of Esc enabled" 111 \
  "$(look 'The sound for the button Esc' "$(e2e_program_file 27.wav)" 'Find sound')"
tab
e2e_poll 5000 shows 'The sound for the button F1' || e2e_fail "the second Tab did not show F1"
back_tab
e2e_poll 5000 shows 'The sound for the button Esc' || e2e_fail "Shift+Tab did not go back to Esc"
back_tab
e2e_poll 5000 shows "$idle" || e2e_fail "focus on \" Minimize\" did not reset the details"

# Shown with a right click, then switched off with a left one: the label
# carries the longest captions the keyboard gives.
e2e_click_client "${right_button[@]}" 3
e2e_poll 5000 shows 'The sound for the button Right Arrow' || e2e_fail "a right click did not show Right Arrow"
e2e_driver caption-fits "$E2E_TITLE" 'The sound for the button Right Arrow' >/dev/null ||
  e2e_fail "the label cuts off the name of Right Arrow"
e2e_click_client "${right_button[@]}"
caption='The sound for the button Right Arrow is disabled'
e2e_poll 5000 shows "$caption" || e2e_fail "a left click did not switch Right Arrow off"
e2e_driver caption-fits "$E2E_TITLE" "$caption" >/dev/null || e2e_fail "the label cuts off \"$caption\""
e2e_expect_count "details of a key just switched off enabled" 000 "$(look "$caption" None 'Find sound')"

# The next stop after the last key is the box holding the keyboard picture.
tab
e2e_poll 5000 shows "$idle" || e2e_fail "Tab from the last key left the details showing '$caption'"
e2e_driver caption-fits "$E2E_TITLE" "$idle" >/dev/null || e2e_fail "the idle label is cut off"
tab
e2e_poll 5000 test "$(focused)" = "Scheme # 0" || e2e_fail "Tab went to '$(focused)', not the scheme list"

wine reg delete 'HKCU\Software\Clavitone' /f </dev/null >/dev/null 2>&1
exit 0
