#!/usr/bin/env bash
# The preferences window, shown from outside, has its client area of
# 8055 x 5760 twips (537 x 384 pixels at 96 DPI); a screenshot of it is kept
# as a build artifact.
source "$(dirname "$0")/wine_env.sh"
e2e_begin pref_window

shot="$E2E_BUILD_DIR/artifacts/frmPref.png"
mkdir -p "$(dirname "$shot")"
rm -f "$shot"

e2e_start_clavitone
e2e_wait_window || e2e_fail "Clavitone's window did not appear"
e2e_driver show "$E2E_TITLE" || e2e_fail "could not show the window"

e2e_poll 5000 e2e_window_mapped || e2e_fail "the window was not mapped on the display"
sleep 0.5  # let the controls paint before the picture is taken

id=$(e2e_window_id)
import -window "$id" "$shot" 2>/dev/null || e2e_fail "no screenshot"
size=$(identify -format '%w %h' "$shot")
read -r width height <<<"$size"
e2e_note "screenshot $shot: ${width}x${height}"
# The frame adds a few pixels and the caption some twenty.
((width >= 537 && width <= 560 && height >= 384 && height <= 434)) ||
  e2e_fail "window of ${width}x${height} pixels does not hold a 537x384 client area"
colours=$(convert "$shot" -format '%k' info:)
((colours > 8)) || e2e_fail "the screenshot is nearly blank ($colours colours)"
exit 0
