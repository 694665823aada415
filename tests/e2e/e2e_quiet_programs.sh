#!/usr/bin/env bash
# Keys are quiet while a listed program (named in another case) is in front,
# and sound again as soon as another window comes to the front; the mute
# state does not change meanwhile.
source "$(dirname "$0")/scheme_env.sh"
scheme_begin quiet_programs

trap 'status=$?; e2e_end_typing_target; (exit $status); scheme_cleanup' EXIT

scheme_store Settings QuietPrograms 'other.exe|TYPING_TARGET.EXE' QuietInPasswords 0
e2e_start_clavitone
e2e_wait_window || e2e_fail "Clavitone's window did not appear"
e2e_settle_with 65

e2e_start_typing_target plain
before=$(e2e_sound_count 66.wav)
e2e_driver keys 66 66 66 || e2e_fail "could not type into the typing target"
# Nothing shows that a key was handled silently: give Clavitone the time it
# needs for three keys many times over before the foreground changes.
sleep 1
e2e_expect_count "sounds of B with the listed program in front" "$before" "$(e2e_sound_count 66.wav)"
[[ $(e2e_driver enabled "$E2E_TITLE" 'Save as...') == 1 ]] || e2e_fail "the quiet program muted Clavitone"

e2e_driver show "$E2E_TITLE" || e2e_fail "could not show the preferences window"
e2e_driver foreground-is "$E2E_TITLE" 5000 || e2e_fail "the preferences window did not come to the front"
e2e_settle_with 66
e2e_note "B sounds again with another window in front"
exit 0
