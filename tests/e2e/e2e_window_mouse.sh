#!/usr/bin/env bash
# Clicks on the window's own surface: a left press and a right release each
# stop the playing sound (a play call with no file); the middle button and
# the other halves of the clicks play nothing.
source "$(dirname "$0")/wine_env.sh"
e2e_begin window_mouse

e2e_start_clavitone
e2e_wait_window || e2e_fail "Clavitone's window did not appear"
e2e_settle_with 65
e2e_driver show "$E2E_TITLE" || e2e_fail "could not show the window"

e2e_poll 5000 e2e_window_mapped || e2e_fail "the window was not mapped on the display"

# Client area 537 x 350 pixels inside an even border and a caption.
geometry=$(xwininfo -id "$(e2e_window_id)")
x=$(awk '/Absolute upper-left X/ {print $4}' <<<"$geometry")
y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$geometry")
width=$(awk '/Width:/ {print $2}' <<<"$geometry")
height=$(awk '/Height:/ {print $2}' <<<"$geometry")
border=$(((width - 537) / 2))
client_x=$((x + border)) client_y=$((y + height - 350 - border))
# Bare window surface: right of the start-with-Windows box, left of " Minimize".
xdotool mousemove $((client_x + 380)) $((client_y + 335))

click_and_count() {
  xdotool click "$1"
  e2e_settle_with 65
  e2e_null_sound_count
}

e2e_expect_count "stops after a left click" 1 "$(click_and_count 1)"
e2e_expect_count "stops after a right click" 2 "$(click_and_count 3)"
e2e_expect_count "stops after a middle click" 2 "$(click_and_count 2)"
exit 0
