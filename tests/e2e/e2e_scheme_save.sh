#!/usr/bin/env bash
# "Save as..." refuses a listed name with a message, then saves a typed new
# name: the list and the store gain the scheme, which becomes current. The
# dialog is laid out as designed, and its name box takes 200 characters.
source "$(dirname "$0")/scheme_env.sh"
scheme_begin scheme_save

dialog='Save scheme as'
scheme_store Settings SchemesQuantity 2 Scheme0 Typewriter Scheme1 Voice LastScheme 0 \
  'Typewriter_#65' 'C:\snd\tw65.wav' 'Typewriter-EnableSound_#66' 1 \
  -- Language SaveCaption "$dialog" Saveas0 'The name ' Saveas1 ' is already used.'
scheme_start $'*Typewriter\nVoice'

# The dialog is modal: the preferences window takes no input until it goes.
# Its close box cancels.
e2e_driver click "$E2E_TITLE" 'Save as...' || e2e_fail "no \"Save as...\" button"
e2e_poll 5000 scheme_window_shown "$dialog" || e2e_fail "the save dialog did not open"
scheme_window_enabled "$E2E_TITLE" && e2e_fail "the preferences window takes input under the dialog"
e2e_driver set-text "$dialog" Closed || e2e_fail "could not type into the dialog"
e2e_driver close "$dialog" || e2e_fail "could not close the dialog"
e2e_poll 5000 scheme_window_hidden "$dialog" || e2e_fail "the close box did not close the dialog"
e2e_poll 5000 scheme_window_enabled "$E2E_TITLE" || e2e_fail "the preferences window stayed disabled"
scheme_expect_list $'*Typewriter\nVoice'
scheme_expect_absent 'Closed_#65'

e2e_driver click "$E2E_TITLE" 'Save as...' || e2e_fail "no \"Save as...\" button"
e2e_poll 5000 scheme_window_shown "$dialog" || e2e_fail "the save dialog did not open again"

# Laid out as designed: client area 5490 x 1365 twips. The label's text
# comes from "lblSave", absent here; the name box shows the current name.
e2e_expect_layout "$dialog" "client 5490 1365
180 180 5175 255 Static
180 420 5175 315 Edit Typewriter
2520 900 1395 315 Button OK
4020 900 1335 315 Button Cancel"

# The name box has the focus on opening and takes 200 characters: with 199
# in it (set from outside, which no limit stops), the 200th typed goes in and
# the 201st is refused.
name199=$(printf 'n%.0s' {1..199})
e2e_driver set-text "$dialog" "$name199" || e2e_fail "could not fill the name box"
e2e_driver keys 35 || e2e_fail "could not press End"
e2e_driver type xy || e2e_fail "could not type into the dialog"
e2e_poll 5000 e2e_driver has-text "$dialog" "${name199}x" ||
  e2e_fail "the name box holds \"$(e2e_driver layout "$dialog" | awk '$5 == "Edit" { print $6 }')\", not 200 characters"
e2e_note "the 201st character was refused"

# Another case of a listed name is the same name to the registry.
e2e_driver set-text "$dialog" voice || e2e_fail "could not type into the dialog"
e2e_driver click "$dialog" OK || e2e_fail "no OK button in the dialog"
e2e_poll 5000 scheme_window_shown Clavitone || e2e_fail "no message for a listed name"
e2e_driver command Clavitone 1 || e2e_fail "could not answer the message"
e2e_poll 5000 scheme_window_gone Clavitone || e2e_fail "the message stayed"
scheme_window_shown "$dialog" || e2e_fail "the dialog closed after a refused name"
scheme_expect_value SchemesQuantity 2

e2e_driver set-text "$dialog" Mine || e2e_fail "could not type into the dialog"
e2e_driver click "$dialog" OK || e2e_fail "no OK button in the dialog"
e2e_poll 5000 scheme_window_hidden "$dialog" || e2e_fail "the dialog stayed open after saving"
e2e_poll 5000 scheme_window_enabled "$E2E_TITLE" || e2e_fail "the preferences window stayed disabled"

scheme_expect_list $'Typewriter\nVoice\n*Mine'
scheme_expect_value SchemesQuantity 3
scheme_expect_value Scheme2 Mine
scheme_expect_value LastScheme 2
scheme_expect_value 'Mine_#65' 'C:\snd\tw65.wav'
scheme_expect_value 'Mine-EnableSound_#66' 1
scheme_expect_absent 'voice_#65'
scheme_expect_sound 65 tw65.wav 1

# Case is ignored beyond A to Z as well: with "Ärger" listed, "ärger" is the
# same name to the registry and is refused.
save_as() {
  e2e_driver click "$E2E_TITLE" 'Save as...' || e2e_fail "no \"Save as...\" button"
  e2e_poll 5000 scheme_window_shown "$dialog" || e2e_fail "the save dialog did not open"
  e2e_driver set-text "$dialog" "$1" || e2e_fail "could not type into the dialog"
  e2e_driver click "$dialog" OK || e2e_fail "no OK button in the dialog"
}
save_as 'Ärger'
e2e_poll 5000 scheme_window_hidden "$dialog" || e2e_fail "\"Ärger\" was not saved"
scheme_expect_value SchemesQuantity 4
save_as 'ärger'
e2e_poll 5000 scheme_window_shown Clavitone || e2e_fail "no message for \"ärger\" beside \"Ärger\""
e2e_driver command Clavitone 1 || e2e_fail "could not answer the message"
e2e_poll 5000 scheme_window_gone Clavitone || e2e_fail "the message stayed"
e2e_driver click "$dialog" Cancel || e2e_fail "no Cancel button in the dialog"
e2e_poll 5000 scheme_window_hidden "$dialog" || e2e_fail "Cancel did not close the dialog"
scheme_expect_value SchemesQuantity 4
exit 0
