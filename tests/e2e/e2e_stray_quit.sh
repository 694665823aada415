#!/usr/bin/env bash
# However the main loop ends, here by a WM_QUIT nobody meant for it, the
# tray icon is removed (and the hook with it) before the process goes.
source "$(dirname "$0")/wine_env.sh"
e2e_begin stray_quit

e2e_start_clavitone clavitone trace+systray
e2e_wait_window || e2e_fail "Clavitone's window did not appear"
e2e_driver keys 65 || e2e_fail "could not send A"
e2e_wait_sounds 65.wav 1 || e2e_fail "pressing A played nothing"

removals() { grep -c 'Shell_NotifyIconW dwMessage = 2,' "$CLAVITONE_LOG" || true; }
e2e_expect_count "icon removals while running" 0 "$(removals)"

e2e_driver post-quit "$E2E_TITLE" || e2e_fail "could not post WM_QUIT"
e2e_wait_exit "$CLAVITONE_PID" 10000 || e2e_fail "Clavitone still runs after its loop was told to quit"
e2e_expect_count "icon removals at the end" 1 "$(removals)"
