#!/usr/bin/env bash
# "Import pack..." through the real dialog, with packs made here: a
# single-file Ogg pack and a multi-file WAV pack whose keys have tones of
# their own lengths, so the written files show which slice went where; keys
# that play the same sound share its one file. The new scheme is selected and
# its keys play the written files; importing the same pack again adds " 2"; a
# broken pack leaves store and folder unchanged.
source "$(dirname "$0")/pack_env.sh"
scheme_begin pack_import

work=$PACK_WORK
trap 'status=$?; pack_remove_all; (exit $status); scheme_cleanup' EXIT
pack_remove_all
mkdir -p "$work/cream" "$work/clicks" "$work/broken"

# A (30) 100 ms, B (48) 200 ms, Enter (28) 300 ms, Space (57) 400 ms, each its own pitch.
pack_tone "$work/t1.wav" 0.1 300
pack_tone "$work/t2.wav" 0.2 500
pack_tone "$work/t3.wav" 0.3 700
pack_tone "$work/t4.wav" 0.4 900
sox "$work/t1.wav" "$work/t2.wav" "$work/t3.wav" "$work/t4.wav" "$work/all.wav" || e2e_fail "sox could not join the tones"
oggenc -Q -o "$work/cream/sound.ogg" "$work/all.wav" || e2e_fail "oggenc failed"
cat >"$work/cream/config.json" <<'JSON'
{"id": "cream", "name": "Cream", "key_define_type": "single", "includes_numpad": false, "sound": "sound.ogg",
 "defines": {"30": [0, 100], "48": [100, 200], "28": [300, 300], "57": [600, 400]}}
JSON

cp "$work/t1.wav" "$work/clicks/a.wav"
cp "$work/t3.wav" "$work/clicks/enter.wav"
cat >"$work/clicks/config.json" <<'JSON'
{"id": "clicks", "name": "Clicks", "key_define_type": "multi",
 "defines": {"30": "a.wav", "28": "enter.wav", "1": null}}
JSON

cat >"$work/broken/config.json" <<'JSON'
{"id": "broken", "name": "Broken", "key_define_type": "multi", "defines": {"30": "missing.wav"}}
JSON

confirm='Delete this scheme'
scheme_store Settings SchemesQuantity 2 Scheme0 Typewriter Scheme1 Voice LastScheme 0 \
  -- Language DeleteScheme0 'Delete ' DeleteScheme1 '?' DeleteScheme2 "$confirm"
scheme_start $'*Typewriter\nVoice'

# Presses a key and waits until exactly that written file has sounded COUNT times.
sounded() {
  [[ $(e2e_sound_count_path "$1") == "$2" ]]
}

expect_plays() {
  local vk=$1 path=$2 count=$3
  e2e_driver keys "$vk" || e2e_fail "could not send key $vk"
  # The count is read afresh on every try.
  e2e_poll 5000 sounded "$path" "$count" || e2e_fail "key $vk did not play $path"
  e2e_note "key $vk played $path"
}

pack_import 'C:\clavitone-e2e-packs\cream'
e2e_poll 10000 scheme_list_is $'Typewriter\nVoice\n*Cream' || e2e_fail "Cream is not the current scheme"
scheme_expect_value SchemesQuantity 3
scheme_expect_value LastScheme 2
a_path=$(scheme_value 'Cream_#65') || e2e_fail "no path stored for A"
[[ $a_path == *'\Clavitone\Packs\cream\65.wav' ]] || e2e_fail "A's file is $a_path"
folder=${a_path%\\65.wav}
packs=${folder%\\cream}
pack_expect_length "$folder\\65.wav" 0.10
pack_expect_length "$folder\\66.wav" 0.20
pack_expect_length "$folder\\13.wav" 0.30
pack_expect_length "$folder\\32.wav" 0.40
scheme_expect_value 'Cream_#90' "$folder\\65.wav"  # left out by the pack: a letter's sound, the same file
[[ ! -e $(winepath -u "$folder\\90.wav" 2>/dev/null) ]] || e2e_fail "Z's sound was written twice"
scheme_expect_value 'Cream-EnableSound_#65' 0
# Letters only: the button clicked last has the focus, and Enter or Space
# typed into the window would press it.
expect_plays 65 "$folder\\65.wav" 1
expect_plays 66 "$folder\\66.wav" 1
expect_plays 90 "$folder\\65.wav" 2

pack_import 'C:\clavitone-e2e-packs\cream'
e2e_poll 10000 scheme_list_is $'Typewriter\nVoice\nCream\n*Cream 2' || e2e_fail "the second import is not \"Cream 2\""
scheme_expect_value 'Cream 2_#66' "$packs\\cream 2\\66.wav"
expect_plays 66 "$packs\\cream 2\\66.wav" 1

pack_import 'C:\clavitone-e2e-packs\clicks'
e2e_poll 10000 scheme_list_is $'Typewriter\nVoice\nCream\nCream 2\n*Clicks' || e2e_fail "Clicks is not the current scheme"
pack_expect_length "$packs\\clicks\\65.wav" 0.10
pack_expect_length "$packs\\clicks\\13.wav" 0.30
scheme_expect_value 'Clicks-EnableSound_#27' 1
scheme_expect_value 'Clicks_#27' None
expect_plays 65 "$packs\\clicks\\65.wav" 1
expect_plays 66 "$packs\\clicks\\65.wav" 2

# A broken pack: a message, and nothing stored or written.
packs_unix=$(winepath -u "$packs" 2>/dev/null)
listing() { (cd "$packs_unix" && find . | sort); }
store_dump() { wine reg query "$SCHEME_KEY" /s </dev/null 2>/dev/null | tr -d '\r'; }
before_files=$(listing)
before_store=$(store_dump)
pack_import 'C:\clavitone-e2e-packs\broken'
e2e_poll 5000 scheme_window_shown Clavitone || e2e_fail "no message for a broken pack"
e2e_driver has-text Clavitone 'The sound pack was not imported. The sound file "missing.wav" is missing from the pack'"'"'s folder.' ||
  e2e_fail "the message does not name the missing file"
e2e_driver command Clavitone 1 || e2e_fail "could not answer the message"
e2e_poll 5000 scheme_window_gone Clavitone || e2e_fail "the message stayed"
[[ $(listing) == "$before_files" ]] || e2e_fail "the broken pack changed the folder of packs"
[[ $(store_dump) == "$before_store" ]] || e2e_fail "the broken pack changed the store"
scheme_expect_list $'Typewriter\nVoice\nCream\nCream 2\n*Clicks'

# Deleting an imported scheme takes its folder along.
e2e_driver click "$E2E_TITLE" 'Delete scheme' || e2e_fail "no \"Delete scheme\" button"
e2e_poll 5000 scheme_window_shown "$confirm" || e2e_fail "no confirmation"
e2e_driver command "$confirm" 6 || e2e_fail "could not answer Yes"
e2e_poll 5000 test ! -e "$packs_unix/clicks" || e2e_fail "the folder of the deleted scheme is still there"
[[ -e $packs_unix/cream ]] || e2e_fail "deleting Clicks removed another scheme's folder"

exit 0
