#!/usr/bin/env bash
# The picture keys keep their button look at 96 and at 120 DPI: each picture
# stays inside the button's raised edge, so no black pixel lies on the edge's
# light top and left lines; the bottom row's captions fit their controls.
# The 120 DPI screenshot is kept as a build
# artifact beside the 96 DPI one of e2e_pref_window.
source "$(dirname "$0")/wine_env.sh"
e2e_begin picture_keys

artifacts="$E2E_BUILD_DIR/artifacts"
mkdir -p "$artifacts"

e2e_save_dpi
trap 'status=$?; e2e_restore_dpi; (exit $status); e2e_cleanup' EXIT

# Starts Clavitone, shows its window and saves a screenshot of it to FILE.
screenshot() {
  local file=$1
  e2e_start_clavitone "$(basename "$file" .png)"
  e2e_wait_window || e2e_fail "Clavitone's window did not appear"
  e2e_driver show "$E2E_TITLE" || e2e_fail "could not show the window"
  e2e_poll 5000 e2e_window_mapped || e2e_fail "the window was not mapped on the display"
  sleep 0.5  # let the controls paint before the picture is taken
  rm -f "$file"
  import -window "$(e2e_window_id)" "$file" 2>/dev/null || e2e_fail "no screenshot"
  e2e_note "screenshot $file: $(identify -format '%wx%h' "$file")"
}

black_pixels() {
  local file=$1 geometry=$2
  convert "$file" -crop "$geometry" +repage txt:- | grep -c '#000000' || true
}

# Every picture button of the running window: no black on its top and left edge.
check_edges() {
  local file=$1 dpi=$2 buttons x y w h count=0
  buttons=$(e2e_driver picture-buttons "$E2E_TITLE") || e2e_fail "no picture buttons listed"
  while read -r x y w h; do
    [[ -n $x ]] || continue
    count=$((count + 1))
    (($(black_pixels "$file" "${w}x1+$x+$y") == 0)) ||
      e2e_fail "at $dpi DPI the picture covers the top edge of the $w x $h button at $x,$y"
    (($(black_pixels "$file" "1x$h+$x+$y") == 0)) ||
      e2e_fail "at $dpi DPI the picture covers the left edge of the $w x $h button at $x,$y"
  done <<<"$buttons"
  e2e_expect_count "picture keys with clear edges at $dpi DPI" 12 "$count"
}

# The bottom row: the launch box's label and "Import pack..." each show their
# whole text inside their own control, and the controls lie side by side.
check_bottom_row() {
  local dpi=$1 caption
  for caption in 'Automatically launch the application at start up' 'Import pack...' ' Minimize'; do
    e2e_driver caption-fits "$E2E_TITLE" "$caption" >/dev/null || e2e_fail "at $dpi DPI \"$caption\" does not fit its control"
  done
  local launch import minimize
  launch=$(e2e_driver where "$E2E_TITLE" 'Automatically launch the application at start up') || e2e_fail "no launch box"
  import=$(e2e_driver where "$E2E_TITLE" 'Import pack...') || e2e_fail "no \"Import pack...\" button"
  minimize=$(e2e_driver where "$E2E_TITLE" ' Minimize') || e2e_fail "no \" Minimize\" button"
  read -r launch_x _ <<<"$launch"
  read -r import_x _ <<<"$import"
  read -r minimize_x _ <<<"$minimize"
  ((launch_x < import_x && import_x < minimize_x)) || e2e_fail "at $dpi DPI the bottom row is out of order"
  e2e_note "bottom row fits at $dpi DPI"
}

end_clavitone() {
  e2e_driver close "$E2E_TITLE" || e2e_fail "could not close the window"
  e2e_wait_exit "$CLAVITONE_PID" 10000 || e2e_fail "Clavitone did not end"
}

e2e_set_dpi 96
screenshot "$E2E_LOGS/$E2E_TEST-96dpi.png"
check_edges "$E2E_LOGS/$E2E_TEST-96dpi.png" 96
check_bottom_row 96
end_clavitone

e2e_set_dpi 120
shot="$artifacts/frmPref-120dpi.png"
screenshot "$shot"
check_edges "$shot" 120
check_bottom_row 120
# 8055 x 5760 twips at 12 twips per pixel, plus the frame and the caption.
read -r width height <<<"$(identify -format '%w %h' "$shot")"
((width >= 671 && width <= 700 && height >= 480 && height <= 542)) ||
  e2e_fail "window of ${width}x${height} pixels does not hold a 671x480 client area"
end_clavitone
