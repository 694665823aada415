#!/usr/bin/env bash
# The installer of this build, run silently as a user would run it from a
# script: it lays out the program folder, writes the built-in schemes without
# touching what the user already has, and Clavitone started from there plays
# the Typewriter scheme, then Voice once picked, and opens the installed help
# from its tray menu. The silent uninstaller then takes the files, the Run
# values and its own traces away, and keeps the user's settings.
source "$(dirname "$0")/wine_env.sh"
e2e_begin installer

: "${E2E_INSTALLER:?set by CTest: the installer of this build}"
[[ -f $E2E_INSTALLER ]] || e2e_fail "$E2E_INSTALLER is missing"

app_key='HKCU\Software\Clavitone'
settings="$app_key\\Settings"
language="$app_key\\Language"
run_key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'
# Where the installer puts the Run value: the installing user's own.
user_run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Clavitone'
# A blank in the folder name, as in "Program Files".
folder='C:\Clavitone Test\Program'
unix_folder="$WINEPREFIX/drive_c/Clavitone Test/Program"

# Prints the text of a REG_SZ value; fails when the value is absent.
reg_text() {
  local key=$1 name=$2 line
  line=$(wine reg query "$key" /v "$name" </dev/null 2>/dev/null | tr -d '\r' | grep -F "    $name    REG_SZ") || return 1
  printf '%s\n' "${line#"    $name    REG_SZ    "}"
}

expect_text() {
  local key=$1 name=$2 expected=$3 actual
  actual=$(reg_text "$key" "$name") || e2e_fail "$name is not in $key"
  e2e_expect_count "$name" "$expected" "$actual"
}

help_title='Clavitone Help'
help_closed() { [[ $(e2e_driver count-windows "$help_title") == 0 ]]; }

reg_absent() { ! wine reg query "$1" /v "$2" </dev/null >/dev/null 2>&1; }

start_menu_shortcut() {
  find "$WINEPREFIX/drive_c/users" -path '*Start Menu/Programs/Clavitone.lnk' 2>/dev/null | head -n 1
}

forget_everything() {
  wine reg delete "$app_key" /f </dev/null >/dev/null 2>&1
  wine reg delete "$run_key" /v Clavitone /f </dev/null >/dev/null 2>&1
  wine reg delete "$user_run_key" /v Clavitone /f </dev/null >/dev/null 2>&1
  wine reg delete "$uninstall_key" /f </dev/null >/dev/null 2>&1
  rm -rf "$WINEPREFIX/drive_c/Clavitone Test"
}

finish() {
  local status=$?
  # The help viewer is the shell's, not a child of this test.
  help_closed || e2e_driver close "$help_title" >/dev/null 2>&1
  e2e_cleanup
  # Other tests expect a store without the built-in schemes.
  forget_everything
  exit "$status"
}
trap finish EXIT

forget_everything
# A user upgrading: one of their choices and an old interface text.
wine reg add "$settings" /v 'Typewriter_#90' /t REG_SZ /d 'C:\Mine\z.wav' /f </dev/null >/dev/null 2>&1
wine reg add "$language" /v Progon /t REG_SZ /d 'old text' /f </dev/null >/dev/null 2>&1

# The folder goes last and unquoted, blanks and all, which only a command
# line written by hand gives: wine would quote the argument.
installer_path=$(winepath -w "$E2E_INSTALLER" </dev/null 2>/dev/null | tr -d '\r')
printf '@"%s" /S /D=%s\r\n@exit /b %%errorlevel%%\r\n' "$installer_path" "$folder" >"$E2E_STATE/install.bat"
wine cmd /c "$(winepath -w "$E2E_STATE/install.bat" </dev/null 2>/dev/null | tr -d '\r')" \
  </dev/null >"$E2E_LOGS/installer.out" 2>&1 || e2e_fail "the silent installer failed (see $E2E_LOGS/installer.out)"

for file in Clavitone.exe ClavitoneDecoder.exe keybhook.dll 65.wav 13.wav Typewriter/65.wav Typewriter/222.wav Voice/65.wav \
  Voice/123.wav 'Clavitone Help.chm' uninstall.exe; do
  [[ -s $unix_folder/$file ]] || e2e_fail "the installer did not put $file into the program folder"
done
[[ -n $(start_menu_shortcut) ]] || e2e_fail "no Start menu shortcut"

expect_text "$settings" SchemesQuantity 2
expect_text "$settings" Scheme0 Typewriter
expect_text "$settings" Scheme1 Voice
expect_text "$settings" LastScheme 0
expect_text "$settings" 'Typewriter_#65' "$folder\\Typewriter\\65.wav"
expect_text "$settings" 'Voice-EnableSound_#13' 0
expect_text "$settings" 'Voice_#13' "$folder\\Voice\\13.wav"
expect_text "$settings" 'Typewriter_#90' 'C:\Mine\z.wav'
expect_text "$language" Progon 'Clavitone: key sounds on'
expect_text "$language" Saveas0 'The name "'
expect_text "$user_run_key" Clavitone "\"$folder\\Clavitone\""
reg_absent "$run_key" Clavitone || e2e_fail "the installer wrote the machine-wide Run value"
expect_text "$uninstall_key" UninstallString "\"$folder\\uninstall.exe\""

# Clavitone from the program folder: Typewriter is current, so A strikes.
e2e_start_clavitone installed trace+exec "$folder\\Clavitone.exe"
e2e_wait_window || e2e_fail "the installed Clavitone did not show its window"
e2e_driver keys 65 || e2e_fail "could not send A"
e2e_wait_sounds 65.wav 1 || e2e_fail "pressing A played nothing"
e2e_expect_count "A played from the Typewriter folder" 1 \
  "$(e2e_sound_count_path "$folder\\Typewriter\\65.wav")"

# Voice, the second built-in scheme, speaks the key's name.
e2e_driver pick "$E2E_TITLE" 1 || e2e_fail "could not pick Voice"
e2e_driver keys 65 || e2e_fail "could not send A"
e2e_wait_sounds 65.wav 2 || e2e_fail "pressing A after the switch played nothing"
e2e_expect_count "A played from the Voice folder" 1 "$(e2e_sound_count_path "$folder\\Voice\\65.wav")"

# The tray menu's Help entry, the third, hands the installed help file to the
# shell, which opens it in the help viewer.
e2e_driver tray "$E2E_TITLE" 517 >/dev/null || e2e_fail "could not release the right button on the icon"
e2e_driver wait-menu open 5000 >/dev/null || e2e_fail "the tray menu did not open"
e2e_driver menu-keys 40 40 40 13 || e2e_fail "could not choose Help"
# The shell reports a result above 32 once it has started the help viewer.
help_started() { grep -qE 'trace:exec:SHELL_execute retval (3[3-9]|[4-9][0-9]|[0-9]{3,})' "$CLAVITONE_LOG"; }
e2e_poll 10000 help_started || e2e_fail "the shell did not start the help viewer"
e2e_expect_count "help files opened" 1 "$(grep -F 'trace:exec:SHELL_execute' "$CLAVITONE_LOG" |
  grep -cF "verb=L\"open\" file=L\"$(e2e_escaped "$folder\\Clavitone Help.chm")\"")"
# The viewer is Wine's, and slow to show on a busy machine; it must be gone
# before the uninstaller removes the file it holds open.
if e2e_driver wait-window "$help_title" 30000 >/dev/null 2>&1; then
  e2e_note "the help viewer shows \"$help_title\""
  e2e_driver close "$help_title" >/dev/null
  e2e_poll 5000 help_closed || e2e_fail "the help window stayed open"
else
  e2e_note "the help viewer did not show in time; ending it"
  wine taskkill /f /im hh.exe </dev/null >/dev/null 2>&1
fi

# One left by an older installer goes too.
wine reg add "$run_key" /v Clavitone /t REG_SZ /d "\"$folder\\Clavitone\"" /f </dev/null >/dev/null 2>&1

# An imported pack's sounds: kept, like the settings, unless the user says so.
packs_folder=$(echo "$WINEPREFIX"/drive_c/users/*/AppData/Roaming)/Clavitone/Packs
mkdir -p "$packs_folder/e2e-pack"
: >"$packs_folder/e2e-pack/65.wav"

# The uninstaller finds the running Clavitone and ends it before removing the
# files. A silent uninstall continues in a copy of itself and returns at once,
# so the test waits for its results.
wine "$folder\\uninstall.exe" /S </dev/null >"$E2E_LOGS/uninstaller.out" 2>&1 ||
  e2e_fail "the silent uninstaller failed (see $E2E_LOGS/uninstaller.out)"
folder_gone() { [[ ! -e $unix_folder ]]; }
e2e_poll 20000 folder_gone || e2e_fail "the uninstaller left $(find "$unix_folder" | head -n 5 | tr '\n' ' ')"
e2e_wait_exit "$CLAVITONE_PID" 5000 || e2e_fail "the uninstaller did not end the running Clavitone"
[[ -d $WINEPREFIX/drive_c/Clavitone\ Test ]] || e2e_fail "the uninstaller removed the folder around the program folder"

e2e_poll 5000 reg_absent "$run_key" Clavitone || e2e_fail "the Run value is still there"
reg_absent "$user_run_key" Clavitone || e2e_fail "the user's Run value is still there"
reg_absent "$uninstall_key" DisplayName || e2e_fail "the Add/Remove Programs entry is still there"
[[ -z $(start_menu_shortcut) ]] || e2e_fail "the Start menu shortcut is still there"
# Silent mode answers the question about the settings with No.
expect_text "$settings" 'Typewriter_#90' 'C:\Mine\z.wav'
expect_text "$settings" SchemesQuantity 2
[[ -f $packs_folder/e2e-pack/65.wav ]] || e2e_fail "a silent uninstall removed the imported packs"
rm -rf "$packs_folder"
exit 0
