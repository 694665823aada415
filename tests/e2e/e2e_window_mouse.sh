#!/usr/bin/env bash
# Clicks on the window's own surface: a left press and a right release each
# stop the playing sound (a play call with no file); the middle button and
# the other halves of the clicks play nothing.
source "$(dirname "$0")/wine_env.sh"
e2e_begin window_mouse

e2e_start_clavitone
e2e_wait_window || e2e_fail "Clavitone's window did not appear"
e2e_settle_with 65
e2e_show_window

# Bare window surface: between the start-with-Windows box (up to x = 332)
# and "Import pack..." (from x = 344).
# shellcheck disable=SC2046
xdotool mousemove $(e2e_client_point 338 335)

click_and_count() {
  xdotool click "$1"
  e2e_settle_with 65
  e2e_null_sound_count
}

e2e_expect_count "stops after a left click" 1 "$(click_and_count 1)"
e2e_expect_count "stops after a right click" 2 "$(click_and_count 3)"
e2e_expect_count "stops after a middle click" 2 "$(click_and_count 2)"
exit 0
