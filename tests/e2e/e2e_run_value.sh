#!/usr/bin/env bash
# The start-with-Windows box: unticking empties the program's Run value,
# ticking writes the program's path without its extension, and the box's
# state is stored for the next start.
source "$(dirname "$0")/wine_env.sh"
e2e_begin run_value

launch_box=(52 332)
run_key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'
program="$(<"$E2E_STATE/dist-winpath")\\Clavitone"

run_value() {
  wine reg query "$run_key" /v Clavitone </dev/null 2>/dev/null | tr -d '\r' |
    grep -F 'Clavitone    REG_SZ' | sed 's/.*    REG_SZ    //'
}
has_run_value() { [[ $(run_value) == "$1" ]]; }
run_value_present() { wine reg query "$run_key" /v Clavitone </dev/null >/dev/null 2>&1; }

wine reg delete 'HKCU\Software\Clavitone' /f </dev/null >/dev/null 2>&1
wine reg delete "$run_key" /v Clavitone /f </dev/null >/dev/null 2>&1
e2e_start_clavitone
e2e_wait_window || e2e_fail "Clavitone's window did not appear"
e2e_settle_with 65
run_value_present && e2e_fail "a first start wrote a Run value"
e2e_show_window

e2e_click_client "${launch_box[@]}"
e2e_poll 5000 test "$(e2e_setting_ending chkLaunch)" = 0 || e2e_fail "unticking was not stored"
run_value_present || e2e_fail "unticking left no Run value"
e2e_expect_count "Run value after unticking" "" "$(run_value)"
e2e_expect_count "Selected after the box got the focus" 0 "$(e2e_setting_ending Selected)"

e2e_click_client "${launch_box[@]}"
e2e_poll 5000 has_run_value "$program" || e2e_fail "ticking wrote '$(run_value)', not '$program'"
e2e_expect_count "chkLaunch after ticking" 1 "$(e2e_setting_ending chkLaunch)"

wine reg delete "$run_key" /v Clavitone /f </dev/null >/dev/null 2>&1
wine reg delete 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Clavitone /f </dev/null >/dev/null 2>&1
wine reg delete 'HKCU\Software\Clavitone' /f </dev/null >/dev/null 2>&1
exit 0
