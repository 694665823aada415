#!/usr/bin/env bash
# The preferences window and About, opened from the tray menu by their access
# keys, at 96 and at 120 DPI; About shows the version of the executable's own
# version resource. Screenshots frmPref-<dpi>dpi.png and frmAbout-<dpi>dpi.png
# are kept as build artifacts.
source "$(dirname "$0")/wine_env.sh"
e2e_begin window_shots

artifacts="$E2E_BUILD_DIR/artifacts"
mkdir -p "$artifacts"
about=About

e2e_save_dpi
trap 'status=$?; e2e_restore_dpi; (exit $status); e2e_cleanup' EXIT

window_id() { xwininfo -root -tree | grep -F "\"$1\"" | awk '{print $1}' | head -n 1; }
mapped() {
  local id
  id=$(window_id "$1") && [[ -n $id ]] && xwininfo -id "$id" | grep -q 'IsViewable'
}
# Chooses the tray menu entry with this access key.
choose() {
  e2e_driver tray "$E2E_TITLE" 517 || e2e_fail "could not release the right button on the icon"
  e2e_driver wait-menu open 5000 >/dev/null || e2e_fail "the tray menu did not open"
  e2e_driver menu-keys "$1" || e2e_fail "could not press $1 in the menu"
  e2e_driver wait-menu closed 5000 >/dev/null || e2e_fail "key $1 chose nothing in the menu"
}
shoot() {
  local title=$1 file=$2
  e2e_poll 5000 mapped "$title" || e2e_fail "\"$title\" was not mapped"
  xdotool mousemove 5 1000  # no tool tip in the picture
  sleep 0.5  # let the controls paint before the picture is taken
  rm -f "$file"
  import -window "$(window_id "$title")" "$file" 2>/dev/null || e2e_fail "no screenshot of \"$title\""
  e2e_note "screenshot $file: $(identify -format '%wx%h' "$file")"
}

wine reg delete 'HKCU\Software\Clavitone' /f </dev/null >/dev/null 2>&1
for dpi in 96 120; do
  e2e_set_dpi "$dpi"
  e2e_start_clavitone "shots-$dpi"
  e2e_wait_window || e2e_fail "Clavitone's window did not appear"
  e2e_settle_with 65
  choose 80  # P: Preferences
  shoot "$E2E_TITLE" "$artifacts/frmPref-${dpi}dpi.png"
  choose 65  # A: About
  e2e_poll 5000 e2e_driver has-text "$about" 'Version 1.0.0' >/dev/null 2>&1 ||
    e2e_fail "About shows no version at $dpi DPI"
  e2e_driver caption-fits "$about" 'Version 1.0.0' >/dev/null || e2e_fail "the version is cut at $dpi DPI"
  shoot "$about" "$artifacts/frmAbout-${dpi}dpi.png"
  e2e_driver close "$E2E_TITLE" || e2e_fail "could not close the window"
  e2e_wait_exit "$CLAVITONE_PID" 10000 || e2e_fail "Clavitone did not end"
done
wine reg delete 'HKCU\Software\Clavitone' /f </dev/null >/dev/null 2>&1
exit 0
