#!/usr/bin/env bash
# "Delete scheme" answered Yes removes the current scheme from the list and
# the store; the last remaining scheme becomes current.
source "$(dirname "$0")/scheme_env.sh"
scheme_begin scheme_delete

confirm='Delete this scheme'
scheme_store Settings SchemesQuantity 3 Scheme0 Typewriter Scheme1 Voice Scheme2 Mine LastScheme 2 \
  'Voice_#65' 'C:\snd\v65.wav' 'Mine_#65' 'C:\snd\mine65.wav' 'Mine-EnableSound_#66' 1 \
  -- Language DeleteScheme0 'Delete ' DeleteScheme1 '?' DeleteScheme2 "$confirm"
scheme_start $'Typewriter\nVoice\n*Mine'
scheme_expect_sound 65 mine65.wav 1

e2e_driver click "$E2E_TITLE" 'Delete scheme' || e2e_fail "no \"Delete scheme\" button"
e2e_poll 5000 scheme_window_shown "$confirm" || e2e_fail "no confirmation"
e2e_driver command "$confirm" 6 || e2e_fail "could not answer Yes"

scheme_expect_list $'Typewriter\n*Voice'
scheme_expect_value SchemesQuantity 2
scheme_expect_value LastScheme 1
scheme_expect_absent Scheme2
scheme_expect_absent 'Mine_#65'
scheme_expect_absent 'Mine-EnableSound_#66'
scheme_expect_sound 65 v65.wav 1
exit 0
