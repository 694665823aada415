#!/usr/bin/env bash
# Fuzzes both sides of the decoding helper's pipe with libFuzzer under ASan
# and UBSan:
#
#   bash tools/fuzz_decoder.sh [seconds] [decode|reply] [corpus folder]
#
#   decode  the helper's own path: format sniffing, the Ogg and WAV decoders,
#           the reply it writes. The Ogg decoder has known faults; fork mode
#           goes on past each, and build/fuzz/decode/crash-* keeps them with
#           the stack that shows whose code they are in. They end the helper,
#           never Clavitone.
#   reply   Clavitone's side: any reply a helper might write, read, checked,
#           cut and written as a WAV. It stops at the first fault, which
#           would be one in the process that holds the keyboard hook.
#
# Needs clang and libclang-rt-dev (Debian: clang-14, libclang-rt-14-dev).
# The decode corpus starts from a few Ogg and WAV files made with sox and oggenc.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
target=${2:-decode}
build=$root/build/fuzz/$target
corpus=${3:-$build/corpus}
mkdir -p "$build/third_party" "$corpus"
ln -sfn /usr/include/stb "$build/third_party/stb"
ln -sfn /usr/include/nlohmann "$build/third_party/nlohmann"

flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -I"$root" -isystem "$build/third_party")
case $target in
  decode)
    sources=("$root/tests/fuzz/decode_fuzz.cpp" "$root/sound/audio_decoding.cpp" "$root/sound/decode_reply.cpp"
      "$root/sound/ogg_decoder.cpp" "$root/sound/wav_reader.cpp")
    # The decoder's own file builds without our warnings, as in the program.
    clang++ "${flags[@]}" -w -c "$root/sound/stb_vorbis_unit.cpp" -o "$build/stb_vorbis_unit.o"
    sources+=("$build/stb_vorbis_unit.o")
    ;;
  reply)
    sources=("$root/tests/fuzz/reply_fuzz.cpp" "$root/sound/decode_reply.cpp" "$root/sound/wav_writer.cpp"
      "$root/schemes/pack_audio.cpp" "$root/schemes/pack_names.cpp" "$root/schemes/pack_codes.cpp")
    ;;
  *)
    echo "usage: bash tools/fuzz_decoder.sh [seconds] [decode|reply] [corpus folder]" >&2
    exit 2
    ;;
esac
clang++ "${flags[@]}" "${sources[@]}" -o "$build/fuzz_$target"

if [[ $target == decode && -z $(ls -A "$corpus") ]]; then
  seeds=$(mktemp -d)
  sox -n -r 44100 -c 1 -b 16 "$seeds/mono.wav" synth 0.05 sine 440 2>/dev/null
  sox -n -r 8000 -c 2 -b 16 "$seeds/stereo.wav" synth 0.05 sine 300 2>/dev/null
  oggenc -Q -o "$corpus/mono.ogg" "$seeds/mono.wav"
  oggenc -Q -o "$corpus/stereo.ogg" "$seeds/stereo.wav"
  cp "$seeds"/*.wav "$corpus/"
  rm -rf "$seeds"
fi

cd "$build"
# The helper's malloc answers an impossible size with null, as Windows'
# does; the decoder then stops cleanly, so ASan is asked to do the same
# rather than count it a crash.
limits=(-max_total_time="$seconds" -rss_limit_mb=2048 -malloc_limit_mb=1024 -max_len=65536 -timeout=10)
if [[ $target == decode ]]; then
  # What the helper leaks goes with its process.
  export ASAN_OPTIONS=${ASAN_OPTIONS:-allocator_may_return_null=1:detect_leaks=0}
  exec ./fuzz_decode -fork=1 -ignore_crashes=1 -ignore_ooms=1 -ignore_timeouts=1 "${limits[@]}" "$corpus"
fi
export ASAN_OPTIONS=${ASAN_OPTIONS:-allocator_may_return_null=1}
exec ./fuzz_reply -print_final_stats=1 "${limits[@]}" "$corpus"
