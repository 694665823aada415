#!/usr/bin/env bash
# A left-button press on the tray icon mutes: the hook goes, key presses play
# nothing, the scheme controls grey out and the tip becomes the "Progoff"
# text. A second press unmutes: the hook is installed again, keys sound and
# the tip is the "Progon" text. When the shell announces a restart, the icon
# is added again as it stands.
source "$(dirname "$0")/wine_env.sh"
e2e_begin tray_mute

language='HKCU\Software\Clavitone\Language'
set_text() { wine reg add "$language" /v "$1" /t REG_SZ /d "$2" /f </dev/null >/dev/null 2>&1; }
set_text Progoff 'Clavitone is muted'
set_text Progon 'Clavitone plays again'

# The trace also shows each installation of the keyboard hook and each call
# of the tray.
e2e_start_clavitone clavitone trace+hook,trace+systray

has_tip() { e2e_driver tool-tips "Wine System Tray" | grep -qxF "$1"; }
installs() { grep -c 'SetWindowsHookEx.* WH_KEYBOARD_LL' "$CLAVITONE_LOG" || true; }
enabled() { e2e_driver enabled "$E2E_TITLE" "$1"; }
icon_adds() { grep -c 'Shell_NotifyIconW dwMessage = 0,' "$CLAVITONE_LOG" || true; }
icon_added_again() { (($(icon_adds) == 2)); }

e2e_wait_window || e2e_fail "Clavitone's window did not appear"
e2e_settle_with 65
e2e_poll 5000 has_tip Clavitone || e2e_fail "no tray icon with the tip \"Clavitone\""
e2e_expect_count "hook installations at start" 1 "$(installs)"
e2e_expect_count "icons added at start" 1 "$(icon_adds)"

e2e_driver tray "$E2E_TITLE" 513 || e2e_fail "could not press on the icon"
e2e_poll 5000 has_tip 'Clavitone is muted' || e2e_fail "the tip did not turn to the Progoff text"
e2e_expect_count '"Save as..." while muted' 0 "$(enabled 'Save as...')"
e2e_expect_count '" Minimize" while muted' 1 "$(enabled ' Minimize')"
muted_sounds=$(e2e_sound_count 65.wav)

e2e_driver taskbar-created || e2e_fail "could not announce a shell restart"
e2e_poll 5000 icon_added_again || e2e_fail "the icon was not added again after the shell's announcement"
has_tip 'Clavitone is muted' || e2e_fail "the icon lost its muted tip"
e2e_driver keys 65 65 65 || e2e_fail "could not type while muted"

e2e_driver tray "$E2E_TITLE" 513 || e2e_fail "could not press on the icon again"
e2e_poll 5000 has_tip 'Clavitone plays again' || e2e_fail "the tip did not turn to the Progon text"
# B sounds once the hook is back; the A presses typed before it are long
# handled by then, had they reached the program at all.
e2e_settle_with 66
e2e_expect_count "sounds of A typed while muted" "$muted_sounds" "$(e2e_sound_count 65.wav)"
e2e_expect_count "hook installations after unmuting" 2 "$(installs)"
e2e_expect_count '"Save as..." after unmuting' 1 "$(enabled 'Save as...')"

wine reg delete "$language" /f </dev/null >/dev/null 2>&1
exit 0
