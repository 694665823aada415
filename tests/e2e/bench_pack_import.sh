#!/usr/bin/env bash
# How long "Import pack..." takes with the largest packs made here, from
# Enter in the file dialog to the pack's folder of WAVs in place (its last
# step before the scheme is stored; watched from here every 5 ms, where
# asking the window would take a Wine process each time), and how far it
# raises the peak memory of Clavitone's process (VmHWM, each pack in a fresh
# process): a single-file MP3 pack of 210 s of stereo noise whose 100 keys
# have their own press and release slices; a version 2 MP3 pack of 113 files;
# a 211 s Ogg that all 113 keys take whole, which is written once. A one-key
# WAV pack beside them shows what the dialog and the polling take. Each
# figure is the median of ROUNDS imports (5 unless given). Prints the
# figures; no threshold.
source "$(dirname "$0")/pack_env.sh"
scheme_begin bench_pack_import

rounds=${1:-5}
work=$PACK_WORK
trap 'status=$?; pack_remove_all; (exit $status); scheme_cleanup' EXIT
pack_remove_all
mkdir -p "$work/tiny" "$work/slices" "$work/files/press" "$work/whole"

# Pack codes: our keys (letters, digits, the rest of the main block, F1-F12,
# the navigation block), then the keypad and codes of no key at all, 113 in all.
codes=(30 48 46 32 18 33 34 35 23 36 37 38 50 49 24 25 16 19 31 20 22 47 17 45 21 44
  11 2 3 4 5 6 7 8 9 10 14 15 28 42 29 56 58 1 57 39 13 51 12 52 53 41 26 43 27 40
  59 60 61 62 63 64 65 66 67 68 87 88 70 3612 54 3613 3640 3653 3657 3665 3663 3655 57419 57416
  57421 57424 3639 3666 3667 3675 3676 3677 71 72 73 75 76 77 79 80 81 82 83 3637 55 74 78 69
  84 85 86 89 90 91 92 93 94)

pack_tone "$work/tiny/a.wav" 0.1 440
echo '{"id": "tiny", "name": "Tiny", "key_define_type": "multi", "defines": {"30": "a.wav"}}' >"$work/tiny/config.json"

sox -n -r 44100 -c 2 -b 16 "$work/noise.wav" synth 210 whitenoise vol 0.3 2>/dev/null || e2e_fail "sox failed"
lame --quiet -b 128 "$work/noise.wav" "$work/slices/sound.mp3" || e2e_fail "lame failed"
{
  printf '{"id": "slices", "name": "Slices", "key_define_type": "single", "sound": "sound.mp3", "defines": {'
  for ((i = 0; i < 100; ++i)); do
    ((i)) && printf ', '
    printf '"%d": [%d, 1000], "%d-up": [%d, 1000]' "${codes[i]}" $((i * 2100)) "${codes[i]}" $((i * 2100 + 1000))
  done
  printf '}}\n'
} >"$work/slices/config.json"

for ((i = 0; i < 113; ++i)); do
  sox -n -r 44100 -c 2 -b 16 "$work/file.wav" synth 0.5 pinknoise vol 0.3 2>/dev/null || e2e_fail "sox failed"
  lame --quiet -b 128 "$work/file.wav" "$work/files/press/K$i.mp3" || e2e_fail "lame failed"
done
{
  printf '{"id": "files", "name": "Files", "version": 2, "key_define_type": "multi",'
  printf ' "sound": "press/K{0-4}.mp3", "defines": {'
  for ((i = 0; i < 108; ++i)); do
    ((i)) && printf ', '
    printf '"%d": "press/K%d.mp3"' "${codes[i]}" $((i + 5))
  done
  printf '}}\n'
} >"$work/files/config.json"

sox -n -r 22050 -c 1 -b 16 "$work/long.wav" synth 211 pinknoise vol 0.3 2>/dev/null || e2e_fail "sox failed"
oggenc -Q -q -1 -o "$work/whole/sound.ogg" "$work/long.wav" || e2e_fail "oggenc failed"
{
  printf '{"id": "whole", "name": "Whole", "key_define_type": "single", "sound": "sound.ogg", "defines": {'
  for ((i = 0; i < 113; ++i)); do
    ((i)) && printf ', '
    printf '"%d": [0, 211000]' "${codes[i]}"
  done
  printf '}}\n'
} >"$work/whole/config.json"

# The Linux process that runs Clavitone: the loader itself, or the one child
# of the shell that started it.
linux_process() {
  local pid=$1 child
  [[ $(readlink "/proc/$pid/exe") == *wine* ]] && { echo "$pid"; return; }
  child=$(cat "/proc/$pid/task/$pid/children" 2>/dev/null)
  echo "${child%% *}"
}
peak_kb() { awk '/^VmHWM:/ {print $2}' "/proc/$1/status"; }

list_has() { e2e_driver list "$E2E_TITLE" 2>/dev/null | grep -qx "\\*$1"; }

median() { printf '%s\n' "$@" | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

folder_in_place() {
  compgen -G "$WINEPREFIX/drive_c/users/*/AppData/Roaming/Clavitone/Packs/$1" >/dev/null
}

# Imports the pack of FOLDER as NAME into a fresh Clavitone; sets IMPORT_MS,
# the milliseconds from Enter to its folder in place, and IMPORT_KB, the
# peak's growth. It runs in this shell, not in a command substitution, so that
# a failure ends the bench and its clean-up ends that Clavitone too.
import_once() {
  local name=$1 folder=$2 process before ended after
  rm -rf "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Clavitone/Packs
  scheme_store Settings SchemesQuantity 1 Scheme0 Typewriter LastScheme 0
  scheme_start '*Typewriter'
  process=$(linux_process "$CLAVITONE_PID")
  before=$(peak_kb "$process")
  PACK_ENTER_FILE="$E2E_LOGS/$E2E_TEST-enter" pack_import "C:\\clavitone-e2e-packs\\$folder" &
  until folder_in_place "$folder"; do
    sleep 0.005
    e2e_alive "$CLAVITONE_PID" || e2e_fail "Clavitone ended while importing $name"
  done
  ended=${EPOCHREALTIME/./}
  wait $! || e2e_fail "the dialog did not take $name"
  e2e_poll 120000 list_has "$name" || e2e_fail "$name was not imported"
  after=$(peak_kb "$process")
  e2e_driver close "$E2E_TITLE" || e2e_fail "could not close the window"
  e2e_wait_exit "$CLAVITONE_PID" 10000 || e2e_fail "Clavitone did not end"
  IMPORT_MS=$(((ended - $(<"$E2E_LOGS/$E2E_TEST-enter")) / 1000))
  IMPORT_KB=$((after - before))
}

echo "median of $rounds imports each"
printf '%-8s %8s %10s %10s %6s %10s\n' pack "pack MB" "import ms" "peak +MB" files "written MB"
for name in Tiny Slices Files Whole; do
  folder=${name,,}
  times=() peaks=()
  for ((round = 0; round < rounds; ++round)); do
    import_once "$name" "$folder"
    times+=("$IMPORT_MS")
    peaks+=("$IMPORT_KB")
  done
  written=$(find "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Clavitone/Packs/"$folder" -type f | wc -l)
  bytes=$(du -sb "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Clavitone/Packs/"$folder" | awk '{print $1}')
  printf '%-8s %8.1f %10d %10.1f %6d %10.1f\n' "$name" "$(du -sb "$work/$folder" | awk '{print $1 / 1048576}')" \
    "$(median "${times[@]}")" "$(awk -v k="$(median "${peaks[@]}")" 'BEGIN {print k / 1024}')" "$written" \
    "$(awk -v b="$bytes" 'BEGIN {print b / 1048576}')"
done
exit 0
