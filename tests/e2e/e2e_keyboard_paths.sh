#!/usr/bin/env bash
# The keyboard alone: Alt+S opens the save dialog, where Enter is OK and
# Escape is Cancel; Alt+O opens the Options window; Escape on the delete
# question keeps the scheme; plain letters are no access keys; Escape puts
# the preferences window away.
source "$(dirname "$0")/scheme_env.sh"
scheme_begin keyboard_paths

dialog='Save scheme as'
options='Clavitone Options'
confirm='Delete this scheme'
scheme_store Settings SchemesQuantity 3 Scheme0 Typewriter Scheme1 Voice Scheme2 Mine LastScheme 2 \
  'Mine_#65' 'C:\snd\mine65.wav' \
  -- Language SaveCaption "$dialog" DeleteScheme0 'Delete ' DeleteScheme1 '?' DeleteScheme2 "$confirm"
scheme_start $'Typewriter\nVoice\n*Mine'
# Keys go to the window in front: wait until the shown window is.
e2e_driver foreground-is "$E2E_TITLE" 5000 || e2e_fail "the preferences window is not in front"

alt() { e2e_driver down 18 && e2e_driver keys "$1" && e2e_driver up 18 || e2e_fail "could not press Alt+$1"; }

# Alt+S, a name, then the key that ends the dialog.
save_by_keyboard() {
  local name=$1 key=$2
  alt 83
  e2e_poll 5000 scheme_window_shown "$dialog" || e2e_fail "Alt+S did not open the save dialog"
  e2e_driver type "$name" || e2e_fail "could not type a name"
  e2e_driver keys "$key" || e2e_fail "could not press key $key"
  e2e_poll 5000 scheme_window_hidden "$dialog" || e2e_fail "key $key did not close the save dialog"
}

save_by_keyboard Gone 27  # Escape: nothing saved
scheme_expect_list $'Typewriter\nVoice\n*Mine'
scheme_expect_absent 'Gone_#65'

save_by_keyboard Kept 13  # Enter: saved and current
scheme_expect_list $'Typewriter\nVoice\nMine\n*Kept'
scheme_expect_value 'Kept_#65' 'C:\snd\mine65.wav'

# Escape on the delete question is no Yes.
e2e_driver click "$E2E_TITLE" 'Delete scheme' || e2e_fail "no \"Delete scheme\" button"
e2e_poll 5000 scheme_window_shown "$confirm" || e2e_fail "no confirmation"
e2e_driver keys 27 || e2e_fail "could not press Escape"
e2e_poll 5000 scheme_window_gone "$confirm" || e2e_fail "Escape did not close the question"
scheme_expect_list $'Typewriter\nVoice\nMine\n*Kept'
scheme_expect_value 'Kept_#65' 'C:\snd\mine65.wav'

# Alt+O opens the Options window; Escape closes it.
alt 79
e2e_poll 5000 scheme_window_shown "$options" || e2e_fail "Alt+O did not open the Options window"
e2e_driver keys 27 || e2e_fail "could not press Escape"
e2e_poll 5000 scheme_window_hidden "$options" || e2e_fail "Escape did not close the Options window"

# Plain letters are keys to hear, never access keys: with the focus on a
# button, the letters of Save as, Delete, Options, Find, Minimize, Import and
# Automatically launch do nothing but sound.
store_dump() { wine reg query "$SCHEME_KEY" /s </dev/null 2>/dev/null | tr -d '\r'; }
before_store=$(store_dump)
e2e_driver keys 83 68 79 70 77 73 65 || e2e_fail "could not press the letters"
sleep 1
for window in "$dialog" "$options" "$confirm" 'Import a sound pack'; do
  ! scheme_window_shown "$window" || e2e_fail "a plain letter opened \"$window\""
done
scheme_window_shown "$E2E_TITLE" || e2e_fail "a plain letter put the preferences window away"
[[ $(store_dump) == "$before_store" ]] ||
  e2e_fail "a plain letter changed the store: $(diff <(echo "$before_store") <(store_dump))"

# Escape in the preferences window does what " Minimize" does.
e2e_poll 5000 scheme_window_enabled "$E2E_TITLE" || e2e_fail "the preferences window stayed disabled"
e2e_driver keys 27 || e2e_fail "could not press Escape"
e2e_poll 5000 scheme_window_hidden "$E2E_TITLE" || e2e_fail "Escape did not put the preferences window away"
exit 0
