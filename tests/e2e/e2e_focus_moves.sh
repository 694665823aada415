#!/usr/bin/env bash
# The details area follows the focus as the keyboard moves it: the window
# opens on the scheme list; Tab from the last key reaches the path box and
# "Find sound" with the key still shown; the Tab after " Minimize" reaches
# Esc, Tab walks on into the keyboard picture, a key's long name stays
# readable in the label, and leaving the keyboard picture resets the area at
# once, with no stop on anything unseen.
source "$(dirname "$0")/wine_env.sh"
e2e_begin focus_moves

right_button=(505 225)
idle='Path to sound'

wine reg delete 'HKCU\Software\Clavitone' /f </dev/null >/dev/null 2>&1
e2e_start_clavitone
e2e_wait_window || e2e_fail "Clavitone's window did not appear"
e2e_settle_with 65

# "Preferences" from the tray menu, chosen by its access key P.
open_preferences() {
  e2e_driver tray "$E2E_TITLE" 517 || e2e_fail "could not release the right button on the icon"
  e2e_driver wait-menu open 5000 >/dev/null || e2e_fail "the tray menu did not open"
  e2e_driver menu-keys 80 || e2e_fail "could not press P in the menu"
  e2e_driver wait-menu closed 5000 >/dev/null || e2e_fail "P did not choose \"Preferences\""
  e2e_poll 5000 e2e_window_mapped || e2e_fail "the window was not mapped on the display"
}
open_preferences

shows() { e2e_driver has-text "$E2E_TITLE" "$1" >/dev/null 2>&1; }
focused() { e2e_driver focused "$E2E_TITLE"; }
tab() { e2e_driver keys 9 || e2e_fail "could not press Tab"; }
back_tab() { e2e_driver down 16 && e2e_driver keys 9 && e2e_driver up 16 || e2e_fail "could not press Shift+Tab"; }

to_minimize() {
  local _
  for _ in 1 2 3 4 5 6 7 8; do
    [[ $(focused) == " Minimize" ]] && break
    tab
  done
  e2e_poll 5000 test "$(focused)" = " Minimize" || e2e_fail "Tab never reached \" Minimize\""
}

# Label, path box and "Find sound" each enabled (1) or not (0).
look() {
  local control
  for control in "$@"; do
    e2e_driver enabled "$E2E_TITLE" "$control"
  done | tr -d '\n'
}

e2e_poll 5000 test "$(focused)" = "Scheme # 0" || e2e_fail "on showing, the focus is on '$(focused)', not the scheme list"
e2e_expect_count "idle details enabled" 000 "$(look "$idle" None 'Find sound')"

# Back from the list to the last key, then on past it.
last='The sound for the button Right Arrow'
back_tab
e2e_poll 5000 shows "$last" || e2e_fail "Shift+Tab from the scheme list did not show the last key"
tab
e2e_poll 5000 test "$(focused)" = "$(e2e_program_file 39.wav)" || e2e_fail "Tab from the last key went to '$(focused)', not the path box"
tab
e2e_poll 5000 test "$(focused)" = "Find sound" || e2e_fail "Tab from the path box went to '$(focused)', not \"Find sound\""
e2e_expect_count "details of the last key enabled on \"Find sound\"" 111 \
  "$(look "$last" "$(e2e_program_file 39.wav)" 'Find sound')"

to_minimize
e2e_poll 5000 shows "$idle" || e2e_fail "focus on \" Minimize\" did not reset the details"
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

# A key switched off greys the path box and "Find sound": the next stop after
# it is the scheme list, which resets the area.
tab
e2e_poll 5000 shows "$idle" || e2e_fail "Tab from the last key left the details showing '$caption'"
e2e_driver caption-fits "$E2E_TITLE" "$idle" >/dev/null || e2e_fail "the idle label is cut off"
e2e_poll 5000 test "$(focused)" = "Scheme # 0" || e2e_fail "Tab went to '$(focused)', not the scheme list"

# Put away with Escape from " Minimize", it opens on the scheme list again.
to_minimize
e2e_driver keys 27 || e2e_fail "could not press Escape"
e2e_poll 5000 test "$(e2e_driver visible "$E2E_TITLE" | cut -c1)" = 0 || e2e_fail "Escape did not put the window away"
open_preferences
e2e_poll 5000 test "$(focused)" = "Scheme # 0" || e2e_fail "opened again, the focus is on '$(focused)', not the scheme list"

wine reg delete 'HKCU\Software\Clavitone' /f </dev/null >/dev/null 2>&1
exit 0
