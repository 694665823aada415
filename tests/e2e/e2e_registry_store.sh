#!/usr/bin/env bash
# The program's settings store is the per-user registry: what it writes,
# `wine reg` reads back as REG_SZ under HKCU\Software\Clavitone\<section>,
# and what is put there from outside (as the installer does), it reads.
source "$(dirname "$0")/wine_env.sh"
e2e_begin registry_store

settings='HKCU\Software\Clavitone\Settings'
probe() { wine "$E2E_STORE_PROBE" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
reg_value() { wine reg query "$1" /v "$2" </dev/null 2>/dev/null | tr -d '\r' | grep -F "$2"; }

# A scheme name with a blank, as users type them.
probe save Settings 'My keys_#65' 'C:\Sounds\typewriter a.wav'
line=$(reg_value "$settings" 'My keys_#65')
[[ $line == *REG_SZ*'C:\Sounds\typewriter a.wav' ]] || e2e_fail "written value not in the registry: '$line'"

wine reg add "$settings" /v 'Typewriter-EnableSound_#13' /t REG_SZ /d 1 /f </dev/null >/dev/null 2>&1
e2e_expect_count "value written from outside, read by the store" 1 \
  "$(probe get Settings 'Typewriter-EnableSound_#13' 0)"
e2e_expect_count "absent key with a number default" 1 "$(probe number Settings SchemesQuantity 1)"
e2e_expect_count "absent language text" "" "$(probe get Language Progoff '')"

probe delete Settings 'My keys_#65'
reg_value "$settings" 'My keys_#65' >/dev/null && e2e_fail "deleted value is still in the registry"
probe delete Settings 'My keys_#65' || e2e_fail "deleting an absent key failed"
e2e_expect_count "deleted key reads its default" gone "$(probe get Settings 'My keys_#65' gone)"

wine reg delete 'HKCU\Software\Clavitone' /f </dev/null >/dev/null 2>&1
exit 0
