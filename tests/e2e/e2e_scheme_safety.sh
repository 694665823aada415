#!/usr/bin/env bash
# Deleting a scheme trusts nothing its stored paths say: a path that climbs
# out of Packs removes nothing, and a scheme whose folder in Packs is a link
# removes at most the link, never what it points to. "Save as..." refuses a
# name that would write into another scheme's values.
source "$(dirname "$0")/scheme_env.sh"
scheme_begin scheme_safety

roaming=$(echo "$WINEPREFIX"/drive_c/users/*/AppData/Roaming)
packs="$roaming/Clavitone/Packs"
elsewhere="$WINEPREFIX/drive_c/clavitone-e2e-elsewhere"
trap 'status=$?; rm -rf "$roaming/Clavitone" "$elsewhere"; (exit $status); scheme_cleanup' EXIT
rm -rf "$roaming/Clavitone" "$elsewhere"
mkdir -p "$packs/other" "$elsewhere"
echo keep >"$packs/other/65.wav"
echo keep >"$roaming/Clavitone/settings-backup.txt"
echo precious >"$elsewhere/precious.wav"
ln -s "$elsewhere" "$packs/linked"
win_packs=$(winepath -w "$packs" 2>/dev/null)

confirm='Delete this scheme'
scheme_store Settings SchemesQuantity 5 Scheme0 Typewriter Scheme1 Voice Scheme2 Other Scheme3 Climber \
  Scheme4 Linked LastScheme 4 'Other_#65' "$win_packs\\other\\65.wav" \
  'Climber_#65' "$win_packs\\..\\65.wav" 'Linked_#65' "$win_packs\\linked\\precious.wav" \
  -- Language DeleteScheme0 'Delete ' DeleteScheme1 '?' DeleteScheme2 "$confirm" Saveas0 'Taken: ' Saveas1 '.'
scheme_start $'Typewriter\nVoice\nOther\nClimber\n*Linked'

delete_current() {
  e2e_driver click "$E2E_TITLE" 'Delete scheme' || e2e_fail "no \"Delete scheme\" button"
  e2e_poll 5000 scheme_window_shown "$confirm" || e2e_fail "no confirmation"
  e2e_driver command "$confirm" 6 || e2e_fail "could not answer Yes"
  e2e_poll 5000 scheme_window_gone "$confirm" || e2e_fail "the confirmation stayed"
}

delete_current
scheme_expect_list $'Typewriter\nVoice\nOther\n*Climber'
[[ -f $elsewhere/precious.wav ]] || e2e_fail "deleting Linked emptied the folder its link points to"
e2e_note "Linked deleted; the link's target is whole"

delete_current
scheme_expect_list $'Typewriter\nVoice\n*Other'
[[ -f $packs/other/65.wav && -f $roaming/Clavitone/settings-backup.txt ]] ||
  e2e_fail "deleting Climber (\"Packs\\..\\65.wav\") removed more than its own: $(cd "$roaming/Clavitone" && find . | tr '\n' ' ')"
e2e_note "Climber deleted; Clavitone's folder and the other pack are whole"

# "Save as..." under a name whose path keys are Other's state keys.
scheme_store Settings SchemesQuantity 3 Scheme0 Typewriter Scheme1 Voice Scheme2 Other LastScheme 2 \
  'Other_#65' 'C:\other\65.wav' 'Other-EnableSound_#66' 1 -- Language SaveCaption 'Save scheme as'
e2e_driver close "$E2E_TITLE" >/dev/null
e2e_wait_exit "$CLAVITONE_PID" 10000 || e2e_fail "Clavitone did not end"
scheme_start $'Typewriter\nVoice\n*Other'
e2e_driver click "$E2E_TITLE" 'Save as...' || e2e_fail "no \"Save as...\" button"
e2e_poll 5000 scheme_window_shown 'Save scheme as' || e2e_fail "no save dialog"
e2e_driver set-text 'Save scheme as' 'other-EnableSound' || e2e_fail "could not type the name"
e2e_driver click 'Save scheme as' OK || e2e_fail "no OK button"
e2e_poll 5000 scheme_window_shown Clavitone || e2e_fail "no message for the colliding name"
e2e_driver has-text Clavitone 'The name "other-EnableSound" cannot be used: the settings of the scheme "Other" are stored under the same names and would be overwritten.' ||
  e2e_fail "the message does not explain the refusal"
e2e_driver command Clavitone 1 || e2e_fail "could not answer the message"
e2e_driver click 'Save scheme as' Cancel || e2e_fail "no Cancel button"
scheme_expect_list $'Typewriter\nVoice\n*Other'
scheme_expect_value 'Other_#65' 'C:\other\65.wav'
scheme_expect_value 'Other-EnableSound_#66' 1
scheme_expect_absent 'Other-EnableSound_#65'
exit 0
