#!/usr/bin/env bash
# The title bar's close box and Alt+F4 put the preferences window away as
# " Minimize" does: the program stays in the tray and keeps sounding, and
# the window comes back as it was.
source "$(dirname "$0")/wine_env.sh"
e2e_begin close_box

# The close box's centre, measured from the client area's top-left corner.
close_box=(526 -11)

e2e_start_clavitone
e2e_wait_window || e2e_fail "Clavitone's window did not appear"
e2e_settle_with 65

shown() { [[ $(e2e_driver visible "$E2E_TITLE") == "1 "* ]]; }
hidden() { [[ $(e2e_driver visible "$E2E_TITLE") == "0 "* ]]; }

e2e_show_window
e2e_click_client "${close_box[@]}"
e2e_poll 5000 hidden || e2e_fail "the close box left the window shown"
e2e_ours_running || e2e_fail "the close box ended the program"
e2e_settle_with 66

e2e_show_window
e2e_poll 5000 shown || e2e_fail "the window did not come back"
e2e_driver down 18 && e2e_driver keys 115 && e2e_driver up 18 || e2e_fail "could not press Alt+F4"
e2e_poll 5000 hidden || e2e_fail "Alt+F4 left the window shown"
e2e_settle_with 65
exit 0
