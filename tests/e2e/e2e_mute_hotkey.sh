#!/usr/bin/env bash
# The stored mute hotkey, Ctrl+Alt+M typed with SendInput, mutes as a left
# click on the tray icon does (the hook goes, the scheme controls grey out,
# keys play nothing), and typed again unmutes.
source "$(dirname "$0")/scheme_env.sh"
scheme_begin mute_hotkey

# HOTKEYF_CONTROL | HOTKEYF_ALT in the high byte, M (77) in the low one.
scheme_store Settings MuteHotkey $(((0x02 | 0x04) << 8 | 77))
e2e_start_clavitone clavitone trace+hook
e2e_wait_window || e2e_fail "Clavitone's window did not appear"
e2e_settle_with 65

save_as_enabled() { [[ $(e2e_driver enabled "$E2E_TITLE" 'Save as...') == "$1" ]]; }
installs() { grep -c 'SetWindowsHookEx.* WH_KEYBOARD_LL' "$CLAVITONE_LOG" || true; }
hotkey() {
  local vk
  for vk in 17 18 77; do e2e_driver down "$vk" || e2e_fail "could not press $vk"; done
  for vk in 77 18 17; do e2e_driver up "$vk" || e2e_fail "could not release $vk"; done
}

hotkey
e2e_poll 5000 save_as_enabled 0 || e2e_fail "the hotkey did not mute"
muted_sounds=$(e2e_sound_count 65.wav)
e2e_driver keys 65 65 || e2e_fail "could not type while muted"

hotkey
e2e_poll 5000 save_as_enabled 1 || e2e_fail "the hotkey did not unmute"
e2e_settle_with 66
e2e_expect_count "sounds of A typed while muted" "$muted_sounds" "$(e2e_sound_count 65.wav)"
e2e_expect_count "hook installations after muting and unmuting" 2 "$(installs)"
exit 0
