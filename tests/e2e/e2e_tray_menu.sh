#!/usr/bin/env bash
# A right-button release over the tray icon opens the tray menu at the
# pointer; a click elsewhere closes it. "Mute" chosen in the menu mutes, and
# "Exit Program" removes the icon and ends the program, muted as it is.
# The open menu shows "Mute" ticked only while muted, and bold as its
# default entry.
# A screenshot of the open menu is kept as a build artifact.
source "$(dirname "$0")/wine_env.sh"
e2e_begin tray_menu

shot="$E2E_BUILD_DIR/artifacts/tray_menu.png"
mkdir -p "$(dirname "$shot")"
rm -f "$shot"

language='HKCU\Software\Clavitone\Language'
muted_tip='Muted, then ended'
wine reg add "$language" /v Progoff /t REG_SZ /d "$muted_tip" /f </dev/null >/dev/null 2>&1

has_tip() { e2e_driver tool-tips "Wine System Tray" | grep -qxF "$1"; }
open_menu() {
  e2e_driver tray "$E2E_TITLE" 517 || e2e_fail "could not release the right button on the icon"
  e2e_driver wait-menu open 5000 || e2e_fail "the tray menu did not open"
}
choose() {
  e2e_driver menu-keys "$@" 13 || e2e_fail "could not choose in the menu"
  e2e_driver wait-menu closed 5000 >/dev/null || e2e_fail "the menu stayed open after a choice"
}

# Dark pixels in the part GEOMETRY of the image.
ink() {
  convert "$1" -crop "$2" +repage -colorspace Gray -threshold 50% -negate -format '%[fx:round(mean*w*h)]' info:
}

e2e_start_clavitone
e2e_wait_window || e2e_fail "Clavitone's window did not appear"
e2e_settle_with 65

# Before muting, the first entry has no tick.
xdotool mousemove 400 300
open_menu >/dev/null
sleep 0.3  # let it paint
import -window root -crop 102x109+400+300 +repage "$E2E_LOGS/tray_menu_unmuted.png" 2>/dev/null || e2e_fail "no screenshot"
(($(ink "$E2E_LOGS/tray_menu_unmuted.png" 12x12+3+5) == 0)) || e2e_fail "\"Mute\" is ticked before muting"
choose 40  # the first entry, "Mute"
e2e_poll 5000 has_tip "$muted_tip" || e2e_fail "\"Mute\" did not mute"

# Opened where the pointer is; the screenshot shows "Mute" ticked.
xdotool mousemove 400 300
read -r left top width height <<<"$(open_menu)"
e2e_note "menu at $left,$top, ${width}x${height}"
((left == 400 && top == 300)) || e2e_fail "the menu did not open at the pointer"
sleep 0.3  # let it paint
import -window root -crop "${width}x${height}+${left}+${top}" +repage "$shot" 2>/dev/null || e2e_fail "no screenshot"
colours=$(convert "$shot" -format '%k' info:)
((colours > 2)) || e2e_fail "the menu screenshot is blank ($colours colours)"
e2e_note "screenshot $shot"
# Wine lets no other process read the menu's own entries, so its picture
# is read: the tick margin of the first entry has ink only when muted, and
# the default entry "Mute" is drawn bold, with far more ink than "Help", a
# word of the same length two entries below.
(($(ink "$shot" 12x12+3+5) > 5)) || e2e_fail "\"Mute\" is not ticked in $shot"
mute_ink=$(ink "$shot" 40x13+19+5)
help_ink=$(ink "$shot" 40x13+19+39)
((2 * mute_ink > 3 * help_ink)) || e2e_fail "\"Mute\" ($mute_ink) is not bold beside \"Help\" ($help_ink) in $shot"
e2e_note "\"Mute\" ticked and bold: ink $mute_ink against $help_ink"

xdotool mousemove 900 800 click 1
e2e_driver wait-menu closed 5000 >/dev/null || e2e_fail "a click elsewhere did not close the menu"

open_menu >/dev/null
choose 38  # the last entry, "Exit Program"
e2e_wait_exit "$CLAVITONE_PID" 10000 || e2e_fail "Clavitone still runs after \"Exit Program\""
e2e_expect_count "exit status" 0 "$E2E_EXIT_STATUS"
has_tip "$muted_tip" && e2e_fail "the icon is still in the tray"
e2e_expect_count "windows titled \"$E2E_TITLE\"" 0 "$(e2e_count_windows)"

wine reg delete "$language" /f </dev/null >/dev/null 2>&1
exit 0
