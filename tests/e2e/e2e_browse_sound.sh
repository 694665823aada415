#!/usr/bin/env bash
# A right click shows the A key without switching it; "Find sound" opens the
# system's file dialog, where the full path of a file is typed and Enter
# pressed. The next press of A plays that file, and it is stored for A.
# Without the installer's texts the dialog still offers its sound filter.
source "$(dirname "$0")/wine_env.sh"
e2e_begin browse_sound

a_button=(88 172)
find_sound=(481 295)
chosen='C:\clavitone-e2e\chosen sound.wav'
dialog_title='Find a sound for the button A'

mkdir -p "$WINEPREFIX/drive_c/clavitone-e2e"
cp "$E2E_DIST/Clavitone.exe" "$WINEPREFIX/drive_c/clavitone-e2e/chosen sound.wav"

wine reg delete 'HKCU\Software\Clavitone' /f </dev/null >/dev/null 2>&1
e2e_start_clavitone
e2e_wait_window || e2e_fail "Clavitone's window did not appear"
e2e_settle_with 65
e2e_show_window

e2e_click_client "${a_button[@]}" 3
e2e_poll 5000 test -n "$(e2e_setting_ending '_#65')" || e2e_fail "a right click did not show A"
e2e_expect_count "state of A after a right click" "" "$(e2e_setting_ending '-EnableSound_#65')"
e2e_driver has-text "$E2E_TITLE" 'The sound for the button A' || e2e_fail "the details do not show A"

e2e_click_client "${find_sound[@]}"
e2e_driver wait-window "$dialog_title" 10000 || e2e_fail "no file dialog titled \"$dialog_title\""
# No installer has stored the filter texts: the dialog still offers its filter.
e2e_driver has-text "$dialog_title" 'Sound files (*.wav)' || e2e_fail "the dialog offers no filter for sound files"
sleep 0.5  # the dialog fills its folder view before it takes keys
e2e_driver type "$chosen" || e2e_fail "could not type the path"
e2e_driver keys 13 || e2e_fail "could not press Enter"
e2e_poll 10000 test "$(e2e_driver count-windows "$dialog_title")" = 0 || e2e_fail "the file dialog stayed open"

e2e_poll 5000 test "$(e2e_setting_ending '_#65')" = "$chosen" ||
  e2e_fail "stored for A: '$(e2e_setting_ending '_#65')'"
e2e_driver has-text "$E2E_TITLE" "$chosen" || e2e_fail "the path box does not show the chosen file"
e2e_driver keys 65 || e2e_fail "could not send A"
e2e_poll 5000 test "$(e2e_sound_count_path "$chosen")" = 1 || e2e_fail "A did not play the chosen file"

wine reg delete 'HKCU\Software\Clavitone' /f </dev/null >/dev/null 2>&1
rm -rf "$WINEPREFIX/drive_c/clavitone-e2e"
exit 0
