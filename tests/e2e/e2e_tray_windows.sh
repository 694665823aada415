#!/usr/bin/env bash
# "Preferences" in the tray menu shows the hidden preferences window and
# brings back a minimized one. "About" shows the About window, whose link
# buttons have tool tips and a pointer of their own, and whose "OK" hides it
# again without ending anything (Escape too, and Enter, as "OK" holds the
# focus); the next "About" shows the same window.
# A screenshot of the About window is kept as a build artifact.
source "$(dirname "$0")/wine_env.sh"
e2e_begin tray_windows

shot="$E2E_BUILD_DIR/artifacts/frmAbout.png"
mkdir -p "$(dirname "$shot")"
rm -f "$shot"
about=About

choose() {
  e2e_driver tray "$E2E_TITLE" 517 || e2e_fail "could not release the right button on the icon"
  e2e_driver wait-menu open 5000 >/dev/null || e2e_fail "the tray menu did not open"
  e2e_driver menu-keys "$@" 13 || e2e_fail "could not choose in the menu"
  e2e_driver wait-menu closed 5000 >/dev/null || e2e_fail "the menu stayed open after a choice"
}
# hidden, minimized or normal, from the driver's "1 normal enabled".
window_state() {
  local shown size rest
  read -r shown size rest <<<"$(e2e_driver visible "$1")"
  [[ $shown == 1 ]] && echo "$size" || echo hidden
}
state_is() { [[ $(window_state "$1") == "$2" ]]; }
expect_state() {
  e2e_poll 5000 state_is "$1" "$2" || e2e_fail "\"$1\" is $(window_state "$1"), not $2"
  e2e_note "\"$1\": $2"
}
preferences() { choose 40 40; }
about_entry() { choose 40 40 40 40; }

e2e_start_clavitone
e2e_wait_window || e2e_fail "Clavitone's window did not appear"
e2e_settle_with 65
expect_state "$E2E_TITLE" hidden

preferences
expect_state "$E2E_TITLE" normal
e2e_driver minimize "$E2E_TITLE" || e2e_fail "could not minimize the window"
expect_state "$E2E_TITLE" minimized
preferences
expect_state "$E2E_TITLE" normal

e2e_expect_count "About windows before the first About" 0 "$(e2e_driver count-windows "$about")"
about_entry
e2e_driver wait-window "$about" 5000 || e2e_fail "\"About\" showed no window"
expect_state "$about" normal
# Laid out as designed: client area 5145 x 4305 twips; the frame holds the
# picture, the label and the two link buttons.
e2e_expect_layout "$about" "client 5145 4305
60 60 4995 2295 Button About
300 420 1590 1590 Static
2340 420 1395 255 Static Clavitone
2340 720 2475 255 Static Version 1.0.0
2340 1380 1995 375 Button Send us a mail
2340 1800 1995 375 Button Visit our site
3660 3840 1395 375 Button OK"

xdotool mousemove 5 1000  # no tool tip in the picture
sleep 0.5  # let the controls paint before the picture is taken
id=$(xwininfo -root -tree | grep -F "\"$about\"" | awk '{print $1}' | head -n 1)
[[ -n $id ]] || e2e_fail "the About window is not on the display"
import -window "$id" "$shot" 2>/dev/null || e2e_fail "no screenshot"
read -r width height <<<"$(identify -format '%w %h' "$shot")"
e2e_note "screenshot $shot: ${width}x${height}"
# A client area of 5145 x 4305 twips is 343 x 287 pixels at 96 DPI.
((width >= 343 && width <= 360 && height >= 287 && height <= 330)) ||
  e2e_fail "window of ${width}x${height} pixels does not hold a 343x287 client area"

tips=$(e2e_driver tool-tips "$about")
grep -qxF 'E-mail: support@example.com' <<<"$tips" || e2e_fail "no mail address tip: $tips"
grep -qxF 'www.example.com' <<<"$tips" || e2e_fail "no web site tip: $tips"
e2e_expect_count "pointer over \"Visit our site\"" own "$(e2e_driver pointer-over "$about" 'Visit our site')"
e2e_expect_count "pointer over \"Send us a mail\"" own "$(e2e_driver pointer-over "$about" 'Send us a mail')"
e2e_expect_count "pointer over \"OK\"" default "$(e2e_driver pointer-over "$about" OK)"

e2e_driver click "$about" OK || e2e_fail "could not press OK"
expect_state "$about" hidden
e2e_settle_with 65  # key sounds go on
about_entry
expect_state "$about" normal
e2e_expect_count "About windows" 1 "$(e2e_driver count-windows "$about")"
e2e_driver keys 27 || e2e_fail "could not press Escape"
expect_state "$about" hidden
# Enter presses "OK", which holds the focus.
about_entry
expect_state "$about" normal
e2e_driver keys 13 || e2e_fail "could not press Enter"
expect_state "$about" hidden
exit 0
