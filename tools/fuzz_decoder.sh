#!/usr/bin/env bash
# Fuzzes the decoding helper's path (format sniffing, the Ogg and WAV
# decoders, the reply and its checks) with libFuzzer under ASan and UBSan.
#
#   bash tools/fuzz_decoder.sh [seconds] [corpus folder]
#
# Needs clang and libclang-rt-dev (Debian: clang-14, libclang-rt-14-dev).
# Seeds: a few Ogg and WAV files made with sox and oggenc. Crashes are
# written to build/fuzz as crash-*: the helper process is what would meet
# them, never Clavitone's own.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
build=$root/build/fuzz
corpus=${2:-$build/corpus}
mkdir -p "$build/third_party" "$corpus"
ln -sfn /usr/include/stb "$build/third_party/stb"

flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -I"$root" -isystem "$build/third_party")
sources=("$root/tests/fuzz/decode_fuzz.cpp" "$root/sound/audio_decoding.cpp" "$root/sound/decode_reply.cpp"
  "$root/sound/ogg_decoder.cpp" "$root/sound/wav_reader.cpp")
# The decoder's own file builds without our warnings, as in the program.
clang++ "${flags[@]}" -w -c "$root/sound/stb_vorbis_unit.cpp" -o "$build/stb_vorbis_unit.o"
clang++ "${flags[@]}" "${sources[@]}" "$build/stb_vorbis_unit.o" -o "$build/decode_fuzz"

if [[ -z $(ls -A "$corpus") ]]; then
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
export ASAN_OPTIONS=${ASAN_OPTIONS:-allocator_may_return_null=1}
# Fork mode goes on past a crash: the Ogg decoder's known faults turn up
# within minutes, and each one's stack shows whose code it is in. The helper
# runs under a memory limit of its own; larger asks stop there.
exec ./decode_fuzz -fork=1 -ignore_crashes=1 -ignore_ooms=1 -ignore_timeouts=1 -timeout=10 \
  -max_total_time="$seconds" -rss_limit_mb=2048 -malloc_limit_mb=1024 -max_len=65536 "$corpus"
