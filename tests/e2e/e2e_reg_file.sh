#!/usr/bin/env bash
# Clavitone.reg, the settings for installs by hand, imports into the registry
# so that the program's own store reads back exactly the installer data:
# escaped backslashes, double quotes at the ends of texts and names with blanks.
source "$(dirname "$0")/wine_env.sh"
e2e_begin reg_file

: "${E2E_REG:?set by CTest: Clavitone.reg of this build}"
probe() { wine "$E2E_STORE_PROBE" "$@" </dev/null 2>/dev/null | tr -d '\r'; }

wine reg delete 'HKCU\Software\Clavitone' /f </dev/null >/dev/null 2>&1
trap 'status=$?; wine reg delete "HKCU\\Software\\Clavitone" /f </dev/null >/dev/null 2>&1; e2e_cleanup; exit $status' EXIT

wine reg import "$(winepath -w "$E2E_REG" </dev/null 2>/dev/null | tr -d '\r')" </dev/null >/dev/null 2>&1 ||
  e2e_fail "wine reg import rejected $E2E_REG"

e2e_expect_count "schemes" 2 "$(probe number Settings SchemesQuantity 1)"
e2e_expect_count "first scheme" Typewriter "$(probe get Settings Scheme0 '')"
path=$(probe get Settings 'Voice_#222' '')
[[ $path == 'C:\Program Files'*'\Clavitone\Voice\222.wav' ]] || e2e_fail "Voice path of key 222: '$path'"
e2e_expect_count "state of a key" 0 "$(probe get Settings 'Typewriter-EnableSound_#8' '')"
# Command substitution would eat a trailing newline, never a blank: compare with markers.
e2e_expect_count "text ending in a double quote" '[The name "]' "[$(probe get Language Saveas0 '')]"
e2e_expect_count "text starting with a double quote" '[" is already used. Please choose another name.]' \
  "[$(probe get Language Saveas1 '')]"
e2e_expect_count "key with a blank" "All files (*.*)" "$(probe get Language 'All files' '')"
exit 0
