#!/usr/bin/env bash
# " Minimize" puts the preferences window away; the program keeps sounding.
source "$(dirname "$0")/scheme_env.sh"
scheme_begin minimize

scheme_store Settings SchemesQuantity 1 Scheme0 Typewriter LastScheme 0
scheme_start '*Typewriter'
scheme_window_shown "$E2E_TITLE" || e2e_fail "the window was not shown"

e2e_driver click "$E2E_TITLE" ' Minimize' || e2e_fail "no \" Minimize\" button"
e2e_poll 5000 scheme_window_hidden "$E2E_TITLE" || e2e_fail "the window is still shown"
e2e_settle_with 65
exit 0
