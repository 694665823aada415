#!/usr/bin/env bash
# Start-up restores the start-with-Windows box from the stored "chkLaunch":
# ticked when nothing is stored, cleared by a stored "0".
source "$(dirname "$0")/wine_env.sh"
e2e_begin launch_box

settings='HKCU\Software\Clavitone\Settings'
caption='Automatically launch the application at start up'

read_box() { box=$(e2e_driver check-state "$E2E_TITLE" "$caption" 2>/dev/null) && [[ -n $box ]]; }

# Sets box to the state the box shows once Clavitone has started.
launch_box_after_start() {
  e2e_start_clavitone "$1"
  e2e_wait_window || e2e_fail "Clavitone's window did not appear"
  # The window exists a moment before its controls do.
  e2e_poll 5000 read_box || e2e_fail "no start-with-Windows box"
  # Start-up has run once a key sounds.
  e2e_settle_with 65
  read_box
  e2e_driver close "$E2E_TITLE" >/dev/null
  e2e_wait_exit "$CLAVITONE_PID" 10000 || e2e_fail "Clavitone did not end"
}

wine reg delete 'HKCU\Software\Clavitone' /f </dev/null >/dev/null 2>&1
launch_box_after_start absent
e2e_expect_count "box with nothing stored" 1 "$box"

wine reg add "$settings" /v chkLaunch /t REG_SZ /d 0 /f </dev/null >/dev/null 2>&1
launch_box_after_start zero
e2e_expect_count "box with a stored 0" 0 "$box"

wine reg add "$settings" /v chkLaunch /t REG_SZ /d junk /f </dev/null >/dev/null 2>&1
launch_box_after_start junk
e2e_expect_count "box with junk stored" 1 "$box"

wine reg delete 'HKCU\Software\Clavitone' /f </dev/null >/dev/null 2>&1
exit 0
