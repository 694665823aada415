#!/usr/bin/env bash
# Packs in the other shapes, made here and imported through the real dialog:
# a single-file Ogg pack with "-up" entries, a version 2 MP3 pack whose keys
# pick from a "{0-4}" pool and share a "soundup", and a pack in the newer
# layout with press and release timings. For each: the written files, the
# stored press and release sounds, and what plays on the way down and up. A
# scheme without release sounds plays exactly one sound a key, as always.
# The release row is kept as screenshots at 96 and 120 DPI.
source "$(dirname "$0")/pack_env.sh"
scheme_begin pack_shapes

work=$PACK_WORK
artifacts="$E2E_BUILD_DIR/artifacts"
mkdir -p "$artifacts"
e2e_save_dpi
trap 'status=$?; e2e_restore_dpi; pack_remove_all; (exit $status); scheme_cleanup' EXIT
pack_remove_all
mkdir -p "$work/ogg" "$work/mp3/press" "$work/mp3/release" "$work/newer" "$work/broken"

# Four tones of their own lengths in one file: 0-0.1 s, 0.1-0.3, 0.3-0.6, 0.6-1.0.
pack_tone "$work/t1.wav" 0.1 300
pack_tone "$work/t2.wav" 0.2 500
pack_tone "$work/t3.wav" 0.3 700
pack_tone "$work/t4.wav" 0.4 900
sox "$work/t1.wav" "$work/t2.wav" "$work/t3.wav" "$work/t4.wav" "$work/all.wav" || e2e_fail "sox could not join the tones"
oggenc -Q -o "$work/ogg/sound.ogg" "$work/all.wav" || e2e_fail "oggenc failed"
cp "$work/ogg/sound.ogg" "$work/newer/sound.ogg"
cat >"$work/ogg/config.json" <<'JSON'
{"id": "switch-ogg", "name": "Switch Ogg", "key_define_type": "single", "includes_numpad": false,
 "sound": "sound.ogg",
 "defines": {"30": [0, 100], "30-up": [100, 200], "48": [300, 300], "48-up": [600, 400],
             "71": [0, 100], "-1": [0, 100]}}
JSON

# MP3s of lengths of their own, encoded as packs are: the pool 0.10 to 0.18 s.
mp3() {
  pack_tone "$work/tone.wav" "$2" "$3"
  lame --quiet -b 128 "$work/tone.wav" "$work/mp3/$1" || e2e_fail "lame could not encode $1"
}
for n in 0 1 2 3 4; do
  mp3 "press/GENERIC_R$n.mp3" "0.1$((2 * n))" $((400 + 100 * n))
done
mp3 release/GENERIC.mp3 0.2 1500
mp3 press/SPACE.mp3 0.3 250
mp3 release/SPACE.mp3 0.25 1700
cat >"$work/mp3/config.json" <<'JSON'
{"id": "mx-mp3", "name": "MX MP3", "version": 2, "key_define_type": "multi", "includes_numpad": true,
 "sound": "press/GENERIC_R{0-4}.mp3", "soundup": "release/GENERIC.mp3",
 "defines": {"57": "press/SPACE.mp3", "57-up": "release/SPACE.mp3", "82": "", "83": ""}}
JSON

cat >"$work/newer/config.json" <<'JSON'
{"config_version": "2", "id": "newer", "name": "Newer", "audio_file": "sound.ogg",
 "definition_method": "single",
 "definitions": {"KeyA": {"timing": [[0, 100], [100, 300]]}, "KeyB": {"timing": [[300, 600], [600, 1000]]},
                 "Numpad1": {"timing": [[0, 100], [100, 200]]}}}
JSON

# An MP3 that is no sound: a tag, then nothing but zeros.
{ printf 'ID3\x04\x00\x00\x00\x00\x00\x00'; head -c 4000 /dev/zero; } >"$work/broken/bad.mp3"
cat >"$work/broken/config.json" <<'JSON'
{"id": "broken", "name": "Broken", "key_define_type": "multi", "defines": {"30": "bad.mp3"}}
JSON

scheme_store Settings SchemesQuantity 2 Scheme0 Typewriter Scheme1 Voice LastScheme 0
scheme_start $'*Typewriter\nVoice'

# Every sound played so far, a Windows path a line.
played() {
  grep -o 'proc_PlaySound SoundName=L"[^"]*"' "$CLAVITONE_LOG" | sed 's/.*SoundName=L"//; s/"$//; s/\\\\/\\/g'
}

played_at_least() {
  (($(played | wc -l) >= $1))
}

# Presses and releases a key; prints what the two played.
press_and_release() {
  local before
  before=$(played | wc -l)
  e2e_driver keys "$1" || e2e_fail "could not send key $1"
  e2e_poll 5000 played_at_least $((before + 2)) ||
    e2e_fail "key $1 did not play on press and release: $before sounds before, then"$'\n'"$(played)"
  played | tail -n +$((before + 1))
}

expect_press_and_release() {
  local vk=$1 down=$2 up=$3 heard
  heard=$(press_and_release "$vk")
  [[ $heard == "$down"$'\n'"$up" ]] || e2e_fail "key $vk played"$'\n'"$heard"$'\n'"not $down and $up"
  e2e_note "key $vk: $down down, $up up"
}

# The message told after an import: what was left out, or why nothing was imported.
expect_told() {
  e2e_poll 5000 scheme_window_shown Clavitone || e2e_fail "no message after the import"
  e2e_driver has-text Clavitone "$1" || e2e_fail "the message does not say \"$1\""
  e2e_driver command Clavitone 1 || e2e_fail "could not answer the message"
  e2e_poll 5000 scheme_window_gone Clavitone || e2e_fail "the message stayed"
  e2e_note "told: $1"
}

# A scheme without release sounds: one sound a press, none on the way up.
before=$(played | wc -l)
e2e_driver keys 65 65 65 || e2e_fail "could not type"
e2e_wait_sounds 65.wav 3 || e2e_fail "A did not sound three times"
sleep 0.5
e2e_expect_count "sounds of three presses and releases without release sounds" 3 $(($(played | wc -l) - before))

pack_import 'C:\clavitone-e2e-packs\ogg'
expect_told "The pack's 1 key that has no button here (on the numeric keypad or the like) and 1 mouse button were left out."
e2e_poll 10000 scheme_list_is $'Typewriter\nVoice\n*Switch Ogg' || e2e_fail "Switch Ogg is not the current scheme"
ogg=$(scheme_value 'Switch Ogg_#65') || e2e_fail "no path stored for A"
ogg=${ogg%\\65.wav}
[[ $ogg == *'\Clavitone\Packs\switch-ogg' ]] || e2e_fail "A's file lies in $ogg"
pack_expect_length "$ogg\\65.wav" 0.10
pack_expect_length "$ogg\\65-up.wav" 0.20
pack_expect_length "$ogg\\66.wav" 0.30
pack_expect_length "$ogg\\66-up.wav" 0.40
scheme_expect_value 'Switch Ogg-ReleaseSound_#65' "$ogg\\65-up.wav"
scheme_expect_value 'Switch Ogg-ReleaseSound_#66' "$ogg\\66-up.wav"
scheme_expect_value 'Switch Ogg-ReleaseSound_#90' "$ogg\\65-up.wav"
scheme_expect_absent 'Switch Ogg-MoreSounds_#65'
expect_press_and_release 65 "$ogg\\65.wav" "$ogg\\65-up.wav"
expect_press_and_release 66 "$ogg\\66.wav" "$ogg\\66-up.wav"
expect_press_and_release 90 "$ogg\\65.wav" "$ogg\\65-up.wav"

# The release row, with A shown, at 96 DPI; at 120 DPI after the next start.
release_row_shot() {
  local dpi=$1 shot whole x y height
  shot="$artifacts/release-row-${dpi}dpi.png"
  whole="$E2E_LOGS/$E2E_TEST-${dpi}dpi.png"
  read -r x y <<<"$(e2e_driver where "$E2E_TITLE" A)" || e2e_fail "no A button"
  xdotool mousemove "$x" "$y" click 3
  e2e_poll 5000 e2e_driver has-text "$E2E_TITLE" "$ogg\\65-up.wav" || e2e_fail "the release box does not show A's release sound"
  e2e_driver caption-fits "$E2E_TITLE" 'Release sound' >/dev/null || e2e_fail "at $dpi DPI the release label is cut off"
  e2e_driver caption-fits "$E2E_TITLE" 'Find release' >/dev/null || e2e_fail "at $dpi DPI \"Find release\" is cut off"
  sleep 0.5  # let the controls paint before the picture is taken
  import -window "$(e2e_window_id)" "$whole" 2>/dev/null || e2e_fail "no screenshot"
  # The bottom row and the release row below it.
  height=$((dpi * 70 / 96))
  convert "$whole" -gravity south -crop "0x$height+0+0" +repage "$shot" || e2e_fail "could not crop the release row"
  e2e_note "release row at $dpi DPI: $shot ($(identify -format '%wx%h' "$shot"))"
}
release_row_shot 96

pack_import 'C:\clavitone-e2e-packs\mp3'
expect_told "The pack's 2 keys that have no button here (on the numeric keypad and the like) were left out."
e2e_poll 10000 scheme_list_is $'Typewriter\nVoice\nSwitch Ogg\n*MX MP3' || e2e_fail "MX MP3 is not the current scheme"
mp3=${ogg%\\switch-ogg}\\mx-mp3
pool=("$mp3\\default.wav" "$mp3\\default-2.wav" "$mp3\\default-3.wav" "$mp3\\default-4.wav" "$mp3\\default-5.wav")
for n in 0 1 2 3 4; do
  pack_expect_length "${pool[n]}" "0.1$((2 * n))"
done
pack_expect_length "$mp3\\default-up.wav" 0.20
pack_expect_length "$mp3\\32.wav" 0.30
pack_expect_length "$mp3\\32-up.wav" 0.25
scheme_expect_value 'MX MP3_#65' "${pool[0]}"
scheme_expect_value 'MX MP3-MoreSounds_#65' "${pool[1]}|${pool[2]}|${pool[3]}|${pool[4]}"
scheme_expect_value 'MX MP3-ReleaseSound_#65' "$mp3\\default-up.wav"
scheme_expect_value 'MX MP3_#32' "$mp3\\32.wav"
scheme_expect_value 'MX MP3-ReleaseSound_#32' "$mp3\\32-up.wav"
scheme_expect_absent 'MX MP3-MoreSounds_#32'

# A pooled key pressed ten times: at least two of its sounds, never one twice in a row.
last='' heard=()
for press in 1 2 3 4 5 6 7 8 9 10; do
  mapfile -t two < <(press_and_release 65)
  [[ " ${pool[*]} " == *" ${two[0]} "* ]] || e2e_fail "press $press of A played ${two[0]}, none of its pool"
  [[ ${two[0]} != "$last" ]] || e2e_fail "press $press of A played ${two[0]} again"
  [[ ${two[1]} == "$mp3\\default-up.wav" ]] || e2e_fail "release $press of A played ${two[1]}"
  last=${two[0]}
  heard+=("${two[0]##*\\}")
done
distinct=$(printf '%s\n' "${heard[@]}" | sort -u | wc -l)
((distinct >= 2)) || e2e_fail "ten presses of A played only ${heard[0]}"
e2e_note "ten presses of A: ${heard[*]} ($distinct different, none twice in a row)"

pack_import 'C:\clavitone-e2e-packs\newer'
expect_told "The pack's 1 key that has no button here (on the numeric keypad or the like) was left out."
e2e_poll 10000 scheme_list_is $'Typewriter\nVoice\nSwitch Ogg\nMX MP3\n*Newer' || e2e_fail "Newer is not the current scheme"
newer=${ogg%\\switch-ogg}\\newer
pack_expect_length "$newer\\65.wav" 0.10
pack_expect_length "$newer\\65-up.wav" 0.20
pack_expect_length "$newer\\66.wav" 0.30
pack_expect_length "$newer\\66-up.wav" 0.40
scheme_expect_value 'Newer_#66' "$newer\\66.wav"
scheme_expect_value 'Newer-ReleaseSound_#66' "$newer\\66-up.wav"
expect_press_and_release 66 "$newer\\66.wav" "$newer\\66-up.wav"
expect_press_and_release 65 "$newer\\65.wav" "$newer\\65-up.wav"

# A broken MP3 is refused like a broken Ogg: a message, nothing written.
before_store=$(wine reg query "$SCHEME_KEY" /s </dev/null 2>/dev/null | tr -d '\r')
pack_import 'C:\clavitone-e2e-packs\broken'
expect_told 'The sound pack was not imported. The sound file "bad.mp3" is damaged or too long and cannot be read.'
[[ $(wine reg query "$SCHEME_KEY" /s </dev/null 2>/dev/null | tr -d '\r') == "$before_store" ]] ||
  e2e_fail "the broken pack changed the store"
[[ ! -e $(winepath -u "${ogg%\\switch-ogg}\\broken" 2>/dev/null) ]] || e2e_fail "the broken pack left a folder"

# Back to the first pack for the 120 DPI picture of its release row.
e2e_driver pick "$E2E_TITLE" 2 || e2e_fail "could not pick Switch Ogg"
e2e_poll 5000 scheme_list_is $'Typewriter\nVoice\n*Switch Ogg\nMX MP3\nNewer' || e2e_fail "Switch Ogg was not picked"
e2e_driver close "$E2E_TITLE" || e2e_fail "could not close the window"
e2e_wait_exit "$CLAVITONE_PID" 10000 || e2e_fail "Clavitone did not end"
e2e_set_dpi 120
e2e_start_clavitone 120dpi
e2e_wait_window || e2e_fail "Clavitone's window did not appear at 120 DPI"
e2e_show_window
release_row_shot 120
exit 0
