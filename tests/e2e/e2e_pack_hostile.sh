#!/usr/bin/env bash
# Sound packs made to hurt, imported through the real dialog: an Ogg whose
# comment header claims 2^30 comments (it faults the Ogg decoder), one whose
# rate is patched to 1 Hz, one with scrambled codebooks, one cut short. Each
# ends in a message, with Clavitone running on, its keys sounding, and store
# and folder of packs unchanged: the decoding happens in the helper process.
# Then a pack whose file is named in UTF-8 ("clé.wav") imports, and one whose
# name would share another scheme's values gets another name and a message.
source "$(dirname "$0")/pack_env.sh"
scheme_begin pack_hostile

work="$WINEPREFIX/drive_c/clavitone-e2e-hostile"
remove_packs() { rm -rf "$work" "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Clavitone/Packs; }
trap 'status=$?; remove_packs; (exit $status); scheme_cleanup' EXIT
remove_packs
mkdir -p "$work"

patcher="$(dirname "$0")/ogg_patch.py"
sox -n -r 44100 -c 1 -b 16 "$work/tone.wav" synth 0.3 sine 440 2>/dev/null || e2e_fail "sox could not make a tone"
oggenc -Q -o "$work/good.ogg" "$work/tone.wav" || e2e_fail "oggenc failed"

# A single-file pack around one sound file.
make_pack() {
  local name=$1 file=$2
  mkdir -p "$work/$name"
  cp "$file" "$work/$name/sound.ogg"
  printf '{"id": "%s", "name": "%s", "key_define_type": "single", "sound": "sound.ogg", "defines": {"30": [0, 100]}}' \
    "$name" "$name" >"$work/$name/config.json"
}
python3 "$patcher" comments "$work/good.ogg" "$work/comments.ogg" || e2e_fail "could not patch the comments"
python3 "$patcher" rate "$work/good.ogg" "$work/slow.ogg" 1 || e2e_fail "could not patch the rate"
python3 "$patcher" setup "$work/good.ogg" "$work/setup.ogg" || e2e_fail "could not scramble the setup"
head -c 2500 "$work/good.ogg" >"$work/cut.ogg"
make_pack comments "$work/comments.ogg"
make_pack slow "$work/slow.ogg"
make_pack setup "$work/setup.ogg"
make_pack cut "$work/cut.ogg"

mkdir -p "$work/accents"
cp "$work/tone.wav" "$work/accents/clé.wav"
printf '{"id": "accents", "name": "Accents", "key_define_type": "multi", "defines": {"30": "cl\xc3\xa9.wav"}}' \
  >"$work/accents/config.json"
make_pack Mine-EnableSound "$work/good.ogg"

scheme_store Settings SchemesQuantity 3 Scheme0 Typewriter Scheme1 Voice Scheme2 Mine LastScheme 0 \
  'Mine_#65' 'C:\mine\a.wav' 'Mine-EnableSound_#65' 1
scheme_start $'*Typewriter\nVoice\nMine'


# The text of the message box now shown; it is then answered.
take_message() {
  e2e_poll 30000 scheme_window_shown Clavitone || e2e_fail "no message"
  local text
  text=$(e2e_driver texts Clavitone | grep -v '^OK$')
  e2e_driver command Clavitone 1 >/dev/null || e2e_fail "could not answer the message"
  e2e_poll 5000 scheme_window_gone Clavitone || e2e_fail "the message stayed"
  printf '%s\n' "$text"
}

packs_root=$(echo "$WINEPREFIX"/drive_c/users/*/AppData/Roaming)/Clavitone
listing() { (cd "$packs_root" 2>/dev/null && find . | sort); }
store_dump() { wine reg query "$SCHEME_KEY" /s </dev/null 2>/dev/null | tr -d '\r'; }
before_files=$(listing)
before_store=$(store_dump)

a_plays=0
expect_refused() {
  local pack=$1 words=$2 message
  pack_import "C:\\clavitone-e2e-hostile\\$pack"
  message=$(take_message)
  [[ $message == "The sound pack was not imported. "* && $message =~ $words ]] ||
    e2e_fail "$pack: the message is \"$message\""
  e2e_note "$pack: $message"
  e2e_alive "$CLAVITONE_PID" || e2e_fail "$pack took Clavitone down"
  [[ $(listing) == "$before_files" ]] || e2e_fail "$pack changed the folder of packs"
  [[ $(store_dump) == "$before_store" ]] ||
    e2e_fail "$pack changed the store: $(diff <(echo "$before_store") <(store_dump))"
  a_plays=$((a_plays + 1))
  scheme_expect_sound 65 65.wav "$a_plays"
}

expect_refused comments 'decoder stopped|damaged'
expect_refused slow 'sample rate or a number of channels'
expect_refused setup 'decoder stopped|damaged'
expect_refused cut 'decoder stopped|damaged'
scheme_expect_list $'*Typewriter\nVoice\nMine'

pack_import 'C:\clavitone-e2e-hostile\accents'
e2e_poll 30000 scheme_list_is $'Typewriter\nVoice\nMine\n*Accents' || e2e_fail "the pack with \"clé.wav\" was not imported"
a_path=$(scheme_value 'Accents_#65') || e2e_fail "no path stored for A"
[[ $(soxi -D "$(winepath -u "$a_path" 2>/dev/null)") == 0.3* ]] || e2e_fail "A's file is not the tone of clé.wav"
e2e_note "clé.wav imported as $a_path"

pack_import 'C:\clavitone-e2e-hostile\Mine-EnableSound'
message=$(take_message)
[[ $message == *'"Mine-EnableSound" cannot be used'*'"Mine"'*'named "Mine-EnableSound 2".' ]] ||
  e2e_fail "the colliding name's message is \"$message\""
scheme_expect_list $'Typewriter\nVoice\nMine\nAccents\n*Mine-EnableSound 2'
scheme_expect_value 'Mine-EnableSound_#65' 1
scheme_expect_value 'Mine_#65' 'C:\mine\a.wav'
exit 0
