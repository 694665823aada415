#!/usr/bin/env bash
# The save dialog from the keyboard, as a user types into it. Enter is OK and
# Escape is Cancel. After the message about a listed name the focus is back
# on the name box with its text selected for retyping.
source "$(dirname "$0")/scheme_env.sh"
scheme_begin save_keys

dialog='Save scheme as'
scheme_store Settings SchemesQuantity 2 Scheme0 Typewriter Scheme1 Voice LastScheme 0 \
  'Typewriter_#65' 'C:\snd\tw65.wav' \
  -- Language SaveCaption "$dialog" Saveas0 'The name ' Saveas1 ' is already used.'
scheme_start $'*Typewriter\nVoice'
e2e_poll 5000 e2e_window_mapped || e2e_fail "the window was not mapped on the display"

# A real click on "Save as...", so that the keys go where the user's would.
open_dialog() {
  e2e_click_client 277 34
  e2e_poll 5000 scheme_window_shown "$dialog" || e2e_fail "the save dialog did not open"
}

type_keys() {
  xdotool type --delay 20 "$1"
  shift
  (($#)) && xdotool key --delay 50 "$@"
  return 0
}

# Enter tries the typed name: the listed name is refused with the message,
# whose own Enter answers it.
open_dialog
type_keys voice Return
e2e_poll 5000 scheme_window_shown Clavitone || e2e_fail "Enter did not try the typed name"
type_keys '' Return
e2e_poll 5000 scheme_window_gone Clavitone || e2e_fail "Enter did not answer the message"
scheme_window_shown "$dialog" || e2e_fail "the dialog closed after a refused name"

# Back on the name box its text is selected: typing replaces the refused name.
type_keys Keyed Return
e2e_poll 5000 scheme_window_hidden "$dialog" || e2e_fail "Enter did not save"
scheme_expect_list $'Typewriter\nVoice\n*Keyed'
scheme_expect_value Scheme2 Keyed
scheme_expect_value 'Keyed_#65' 'C:\snd\tw65.wav'

# Escape closes the dialog and stores nothing.
open_dialog
type_keys Escaped Escape
e2e_poll 5000 scheme_window_hidden "$dialog" || e2e_fail "Escape did not close the dialog"
e2e_poll 5000 scheme_window_enabled "$E2E_TITLE" || e2e_fail "the preferences window stayed disabled"
scheme_expect_absent 'Escaped_#65'

# Cancel, tabbed to, closes the dialog and stores nothing.
open_dialog
type_keys Tabbed Tab Tab space
e2e_poll 5000 scheme_window_hidden "$dialog" || e2e_fail "Cancel did not close the dialog"
e2e_poll 5000 scheme_window_enabled "$E2E_TITLE" || e2e_fail "the preferences window stayed disabled"
scheme_expect_value SchemesQuantity 3
scheme_expect_absent 'Tabbed_#65'
scheme_expect_absent 'voice_#65'
scheme_expect_list $'Typewriter\nVoice\n*Keyed'
exit 0
