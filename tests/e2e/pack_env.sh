# shellcheck shell=bash
# Helpers of the pack import tests: packs made here in a folder of the
# prefix, imported through "Import pack..." and its file dialog, and the WAV
# files the import writes.
source "$(dirname "${BASH_SOURCE[0]}")/scheme_env.sh"

PACK_DIALOG='Import a sound pack'
PACK_WORK="$WINEPREFIX/drive_c/clavitone-e2e-packs"

# The packs made here and the imported packs of every user of the prefix:
# gone before and after a test, so that folder names start afresh and other
# tests find none.
pack_remove_all() {
  rm -rf "$PACK_WORK" "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Clavitone/Packs
}

# A sine tone: FILE, SECONDS long, at HERTZ.
pack_tone() {
  sox -n -r 44100 -c 1 -b 16 "$1" synth "$2" sine "$3" 2>/dev/null || e2e_fail "sox could not make $1"
}

# Imports the pack of that folder (a Windows path) through the button and the
# file dialog. PACK_ENTER_US is when Enter went to the dialog, also written
# to the file PACK_ENTER_FILE when that is set.
pack_import() {
  e2e_driver click "$E2E_TITLE" 'Import pack...' || e2e_fail "no \"Import pack...\" button"
  e2e_driver wait-window "$PACK_DIALOG" 10000 || e2e_fail "no file dialog titled \"$PACK_DIALOG\""
  e2e_driver has-text "$PACK_DIALOG" 'Sound pack (config.json)' || e2e_fail "the dialog offers no filter for packs"
  sleep 0.5  # the dialog fills its folder view before it takes keys
  e2e_driver type "$1\\config.json" || e2e_fail "could not type the path"
  PACK_ENTER_US=${EPOCHREALTIME/./}
  [[ -z ${PACK_ENTER_FILE:-} ]] || echo "$PACK_ENTER_US" >"$PACK_ENTER_FILE"
  e2e_driver keys 13 || e2e_fail "could not press Enter"
  # Each look is a Wine process of its own: on a machine busy with an import
  # and the rest of the suite, ten seconds of them once did not see it close.
  e2e_poll 30000 test "$(e2e_driver count-windows "$PACK_DIALOG")" = 0 || e2e_fail "the file dialog stayed open"
}

# Seconds of a written WAV, to two decimals.
pack_seconds_of() {
  soxi -D "$(winepath -u "$1" 2>/dev/null)" | awk '{ printf "%.2f", $1 }'
}

pack_expect_length() {
  local path=$1 expected=$2
  [[ $(pack_seconds_of "$path") == "$expected" ]] || e2e_fail "$path lasts $(pack_seconds_of "$path") s, not $expected"
  e2e_note "$path: $expected s"
}
