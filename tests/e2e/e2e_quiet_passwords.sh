#!/usr/bin/env bash
# With nothing stored, password fields are quiet: keys typed into a password
# Edit play nothing (and still reach it), keys typed into an ordinary Edit of
# the same program sound.
source "$(dirname "$0")/scheme_env.sh"
scheme_begin quiet_passwords

trap 'status=$?; e2e_end_typing_target; (exit $status); scheme_cleanup' EXIT

wine reg delete "$SCHEME_KEY" /f </dev/null >/dev/null 2>&1
e2e_start_clavitone
e2e_wait_window || e2e_fail "Clavitone's window did not appear"
e2e_settle_with 65

e2e_start_typing_target password
focused_is() { [[ $(e2e_driver focused 'Typing target') == "$1" ]]; }
e2e_poll 5000 focused_is '' || e2e_fail "the password Edit did not get the focus"
before=$(e2e_sound_count 65.wav)
e2e_driver keys 65 65 65 || e2e_fail "could not type into the password Edit"
sleep 1  # nothing shows a silent key: time for three keys many times over
e2e_expect_count "sounds of A in the password Edit" "$before" "$(e2e_sound_count 65.wav)"

e2e_driver command 'Typing target' 101 || e2e_fail "could not move the focus to the ordinary Edit"
e2e_poll 5000 focused_is plain || e2e_fail "the ordinary Edit did not get the focus"
e2e_settle_with 65
e2e_expect_count "sounds of A in the ordinary Edit" $((before + 1)) "$(e2e_sound_count 65.wav)"
exit 0
