#!/usr/bin/env bash
# The decoding helper going wrong, played by a stand-in in a copy of the
# program folder: missing, crashing at once, answering a sound of 2^32-1
# samples, and never answering (ended after a minute). Each time the import
# fails with a message, Clavitone runs on and its keys sound, and neither the
# store nor the folder of packs changes. A good pack then imports again with
# the real helper back in place.
source "$(dirname "$0")/pack_env.sh"
scheme_begin decoder_faults

: "${E2E_DECODER_STAND_IN:?set by CTest: the stand-in helper}"
work="$WINEPREFIX/drive_c/clavitone-e2e-faults"
program="$work/program"
remove_packs() { rm -rf "$work" "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Clavitone/Packs; }
trap 'status=$?; remove_packs; (exit $status); scheme_cleanup' EXIT
remove_packs
mkdir -p "$work/pack"
cp -r "$E2E_DIST" "$program"

sox -n -r 44100 -c 1 -b 16 "$work/tone.wav" synth 0.3 sine 440 2>/dev/null || e2e_fail "sox could not make a tone"
oggenc -Q -o "$work/pack/sound.ogg" "$work/tone.wav" || e2e_fail "oggenc failed"
printf '{"id": "good", "name": "Good", "key_define_type": "single", "sound": "sound.ogg", "defines": {"30": [0, 100]}}' \
  >"$work/pack/config.json"

scheme_store Settings SchemesQuantity 2 Scheme0 Typewriter Scheme1 Voice LastScheme 0
e2e_start_clavitone clavitone '' "$program/Clavitone.exe"
e2e_wait_window || e2e_fail "Clavitone's window did not appear"
e2e_poll 5000 scheme_list_is $'*Typewriter\nVoice' || e2e_fail "the scheme list did not fill"
e2e_driver show "$E2E_TITLE" || e2e_fail "could not show the preferences window"


packs_root=$(echo "$WINEPREFIX"/drive_c/users/*/AppData/Roaming)/Clavitone
listing() { (cd "$packs_root" 2>/dev/null && find . | sort); }
store_dump() { wine reg query "$SCHEME_KEY" /s </dev/null 2>/dev/null | tr -d '\r'; }
before_files=$(listing)
before_store=$(store_dump)
stopped='The sound pack was not imported. Clavitone'"'"'s decoder stopped while reading the sound file "sound.ogg": the file is damaged or too demanding to decode.'

a_plays=0
expect_stopped() {
  local what=$1 started
  started=$SECONDS
  pack_import 'C:\clavitone-e2e-faults\pack'
  e2e_poll 90000 scheme_window_shown Clavitone || e2e_fail "$what: no message"
  e2e_driver has-text Clavitone "$stopped" || e2e_fail "$what: the message is $(e2e_driver texts Clavitone | tr '\n' ' ')"
  e2e_driver command Clavitone 1 >/dev/null || e2e_fail "could not answer the message"
  e2e_poll 5000 scheme_window_gone Clavitone || e2e_fail "the message stayed"
  e2e_alive "$CLAVITONE_PID" || e2e_fail "$what took Clavitone down"
  [[ $(listing) == "$before_files" ]] || e2e_fail "$what changed the folder of packs"
  [[ $(store_dump) == "$before_store" ]] ||
    e2e_fail "$what changed the store: $(diff <(echo "$before_store") <(store_dump))"
  a_plays=$((a_plays + 1))
  scheme_expect_sound 65 65.wav "$a_plays"
  e2e_note "$what: told after $((SECONDS - started)) s"
}

rm "$program/ClavitoneDecoder.exe"
expect_stopped "no helper"
cp "$E2E_DECODER_STAND_IN" "$program/ClavitoneDecoder.exe"
for mode in crash garbage hang; do
  echo "$mode" >"$program/stand-in-mode.txt"
  expect_stopped "a helper that does \"$mode\""
done

cp "$E2E_DIST/ClavitoneDecoder.exe" "$program/ClavitoneDecoder.exe"
pack_import 'C:\clavitone-e2e-faults\pack'
e2e_poll 10000 scheme_list_is $'Typewriter\nVoice\n*Good' || e2e_fail "the good pack did not import with the real helper"
exit 0
