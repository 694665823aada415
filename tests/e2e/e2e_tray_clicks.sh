#!/usr/bin/env bash
# The tray icon and its menu driven with the real mouse, as a user does: every
# click goes through Wine's tray window and menu, nothing is posted to the
# program. A left click mutes and the next unmutes, a double click toggles
# once, a right click opens the menu and its entries are chosen by clicking
# them, also while the preferences window is open and active. "About" brings
# the About window to the front also when it is open behind the preferences
# window, so that its "OK" can be clicked.
source "$(dirname "$0")/wine_env.sh"
e2e_begin tray_clicks

tray='Wine System Tray'
about=About
language='HKCU\Software\Clavitone\Language'
wine reg add "$language" /v Progoff /t REG_SZ /d 'Sounds off' /f </dev/null >/dev/null 2>&1
wine reg add "$language" /v Progon /t REG_SZ /d 'Sounds on' /f </dev/null >/dev/null 2>&1

tip_is() { [[ $(e2e_driver tool-tips "$tray") == "$1" ]]; }
expect_tip() {
  e2e_poll 5000 tip_is "$1" || e2e_fail "the icon's tip is \"$(e2e_driver tool-tips "$tray")\", not \"$1\""
  e2e_note "tip: $1"
}
# The only icon in the tray is the first one, 20 pixels wide.
click_icon() {
  local left top
  read -r left top <<<"$(e2e_driver where "$tray")" || e2e_fail "no tray window"
  xdotool mousemove $((left + 10)) $((top + 10)) click "$@"
}
# Opens the tray menu with a right click and prints its rectangle. The menu
# must stay open: under Wine the focus that the tray window takes on the
# click can reach the program after the menu has opened.
open_menu() {
  local menu
  xdotool mousemove 900 800 sleep 0.2  # a fresh approach, clear of the icon's tip
  click_icon 3
  menu=$(e2e_driver wait-menu open 5000) || e2e_fail "the tray menu did not open"
  sleep 0.3
  e2e_driver wait-menu open 100 >/dev/null || e2e_fail "the tray menu closed by itself"
  echo "$menu"
}
# Clicks entry POSITION of the tray menu: four entries, two separators half
# as high, "Exit Program"; the menu has a 3-pixel edge.
choose() {
  local position=$1 left top width height menu
  menu=$(open_menu) || exit 1
  read -r left top width height <<<"$menu"
  local entry=$(((height - 6) * 10 / 6))  # tenths of a pixel
  local y
  if ((position == 6)); then
    y=$((top + height - 3 - entry / 20))
  else
    y=$((top + 3 + (entry * position + entry / 2) / 10))
  fi
  # As a hand would: onto the entry first, then the click.
  xdotool mousemove $((left + width / 2)) "$y" sleep 0.3 click 1
  e2e_driver wait-menu closed 5000 >/dev/null || e2e_fail "the menu stayed open after a click on entry $position"
}
shown() { [[ $(e2e_driver visible "$1" 2>/dev/null) == "1 normal"* ]]; }
hidden() { [[ $(e2e_driver visible "$1" 2>/dev/null) == 0* ]]; }
click_control() {
  local x y
  read -r x y <<<"$(e2e_driver where "$1" "$2")" || e2e_fail "no \"$2\" in \"$1\""
  xdotool mousemove "$x" "$y" click 1
}
silent_after() {
  local before
  before=$(e2e_sound_count 65.wav)
  e2e_driver keys 65 || e2e_fail "could not send key 65"
  sleep 0.5
  e2e_expect_count "sounds of key A while muted" "$before" "$(e2e_sound_count 65.wav)"
}

e2e_start_clavitone
e2e_wait_window || e2e_fail "Clavitone's window did not appear"
e2e_settle_with 65
expect_tip Clavitone

click_icon 1
expect_tip 'Sounds off'
silent_after
click_icon 1
expect_tip 'Sounds on'
e2e_settle_with 65

click_icon --repeat 2 --delay 100 1
expect_tip 'Sounds off'
sleep 0.5
expect_tip 'Sounds off'  # the second press of the double click did not toggle back
click_icon 1
expect_tip 'Sounds on'
e2e_settle_with 65

choose 0  # "Mute"
expect_tip 'Sounds off'
choose 0
expect_tip 'Sounds on'

choose 1  # "Preferences"
e2e_poll 5000 shown "$E2E_TITLE" || e2e_fail "\"Preferences\" did not show the window"
# With the preferences window open and active, the menu opens and stays open
# each time, and a click elsewhere closes it.
for ((round = 1; round <= 5; round++)); do
  open_menu >/dev/null
  xdotool mousemove 900 800 sleep 0.2 click 1
  # Now and then, on a busy machine, Wine's menu has not yet taken the mouse
  # when the click comes, and X hands it to the desktop instead: a second
  # click must then close it.
  if ! e2e_driver wait-menu closed 2000 >/dev/null; then
    e2e_note "round $round: the first click elsewhere was lost; clicking again"
    xdotool click 1
    e2e_driver wait-menu closed 5000 >/dev/null || e2e_fail "a click elsewhere did not close the menu"
  fi
  e2e_driver show "$E2E_TITLE" >/dev/null  # active again, as after "Preferences"
done
choose 3  # "About"
e2e_poll 5000 shown "$about" || e2e_fail "\"About\" did not show the About window"
click_control "$about" OK
e2e_poll 5000 hidden "$about" || e2e_fail "a click on \"OK\" did not hide the About window"

# About, then Preferences over it, then About again: the open About window
# must come to the front, or the click meant for its "OK" lands on the other.
choose 3
e2e_poll 5000 shown "$about" || e2e_fail "\"About\" did not show the About window again"
choose 1
choose 3
sleep 0.5
click_control "$about" OK
e2e_poll 5000 hidden "$about" || e2e_fail "\"About\" left its window behind the preferences window"
e2e_settle_with 65

choose 6  # "Exit Program"
e2e_wait_exit "$CLAVITONE_PID" 10000 || e2e_fail "Clavitone still runs after a click on \"Exit Program\""
e2e_expect_count "exit status" 0 "$E2E_EXIT_STATUS"
[[ -z $(e2e_driver tool-tips "$tray") ]] || e2e_fail "the icon is still in the tray"

wine reg delete "$language" /f </dev/null >/dev/null 2>&1
exit 0
