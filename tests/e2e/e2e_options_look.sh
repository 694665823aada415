#!/usr/bin/env bash
# The Options window at 96 and at 120 DPI: its client area of 5700 x 5520
# twips, every caption shown whole, and the "Options..." button's too. The
# screenshots frmOptions-96dpi.png and frmOptions-120dpi.png are kept as
# build artifacts. The keyboard alone goes round every control with Tab.
source "$(dirname "$0")/scheme_env.sh"
scheme_begin options_look

options='Clavitone Options'
artifacts="$E2E_BUILD_DIR/artifacts"
mkdir -p "$artifacts"

e2e_save_dpi
trap 'status=$?; e2e_restore_dpi; (exit $status); scheme_cleanup' EXIT

options_window_id() {
  xwininfo -root -tree | grep -F "\"$options\"" | awk '{print $1}' | head -n 1
}
options_mapped() {
  local id
  id=$(options_window_id) && [[ -n $id ]] && xwininfo -id "$id" | grep -q 'IsViewable'
}
focused_is() { [[ $(e2e_driver focused "$options") == "$1" ]]; }

# Starts Clavitone at DPI, opens the Options window, checks its captions and
# saves its screenshot to FILE; MIN_WIDTH and MIN_HEIGHT are its client area.
look_at() {
  local dpi=$1 file=$2 min_width=$3 min_height=$4 caption width height
  e2e_set_dpi "$dpi"
  e2e_start_clavitone "options-$dpi"
  e2e_wait_window || e2e_fail "Clavitone's window did not appear"
  e2e_show_window
  e2e_driver caption-fits "$E2E_TITLE" 'Options...' >/dev/null ||
    e2e_fail "\"Options...\" is cut at $dpi DPI"
  e2e_driver click "$E2E_TITLE" 'Options...' || e2e_fail "no \"Options...\" button"
  e2e_poll 5000 options_mapped || e2e_fail "the Options window was not mapped at $dpi DPI"
  for caption in 'Classic (one sound at a time)' 'Mixed (sounds overlap)' Volume 'Stereo by key position' \
    'Mute hotkey' 'Quiet in password fields' 'Quiet while these programs are in front' Add... Remove OK Cancel 100%; do
    e2e_driver caption-fits "$options" "$caption" >/dev/null || e2e_fail "\"$caption\" is cut at $dpi DPI"
  done
  sleep 0.5  # let the controls paint before the picture is taken
  rm -f "$file"
  import -window "$(options_window_id)" "$file" 2>/dev/null || e2e_fail "no screenshot"
  read -r width height <<<"$(identify -format '%w %h' "$file")"
  e2e_note "screenshot $file: ${width}x${height}"
  ((width >= min_width && width <= min_width + 30 && height >= min_height && height <= min_height + 60)) ||
    e2e_fail "window of ${width}x${height} pixels does not hold a ${min_width}x${min_height} client area"
}

end_clavitone() {
  e2e_driver click "$options" Cancel || e2e_fail "no Cancel button"
  e2e_poll 5000 scheme_window_hidden "$options" || e2e_fail "the Options window stayed open"
  e2e_driver close "$E2E_TITLE" || e2e_fail "could not close the window"
  e2e_wait_exit "$CLAVITONE_PID" 10000 || e2e_fail "Clavitone did not end"
}

wine reg delete "$SCHEME_KEY" /f </dev/null >/dev/null 2>&1
look_at 96 "$artifacts/frmOptions-96dpi.png" 380 368

# Tab from the first control on: the chosen option button, the track bar
# (its group greyed with Classic, so passed by), the hotkey box, the
# password box, the list, Add..., OK and Cancel, then round again.
e2e_driver foreground-is "$options" 5000 || e2e_fail "the Options window is not in front"
e2e_poll 5000 focused_is 'Classic (one sound at a time)' || e2e_fail "the first option button has no focus"
for expected in '' 'Quiet in password fields' '' Add... OK Cancel 'Classic (one sound at a time)'; do
  e2e_driver keys 9 || e2e_fail "could not press Tab"
  e2e_poll 3000 focused_is "$expected" || e2e_fail "Tab: expected \"$expected\", got \"$(e2e_driver focused "$options")\""
done
e2e_note "Tab goes round the Options window"
end_clavitone

look_at 120 "$artifacts/frmOptions-120dpi.png" 475 460
end_clavitone
exit 0
