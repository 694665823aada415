#!/usr/bin/env bash
# The mixing engine with "EngineIdleSeconds" "5": a scheme holding a WAV whose
# header claims 1 Hz (which once wrapped the converted size and crashed the
# 32-bit build at start-up) leaves the program up and the next good key
# sounding; with no input for 5 s the stream goes from the audio server, and
# the next key brings it back and sounds. The Options window's status line is
# kept as frmOptions-engine-on.png, and as frmOptions-engine-failed.png with
# Wine's audio device layer switched off, where the engine cannot start.
source "$(dirname "$0")/scheme_env.sh"
scheme_begin engine_idle
source "$(dirname "$0")/pulse_env.sh"

options='Clavitone Options'
artifacts="$E2E_BUILD_DIR/artifacts"
mkdir -p "$artifacts"
finish() {
  local status=$?
  e2e_record_stop
  (exit "$status")
  scheme_cleanup
  status=$?
  e2e_pulse_stop
  exit "$status"
}
trap finish EXIT
E2E_RECORDER_PID=
e2e_pulse_start

# 1 Hz, mono, 16-bit, 89,479 frames: at 48 kHz that is 2^32 frames and more.
slow="$E2E_LOGS/$E2E_TEST-slow.wav"
python3 - "$slow" <<'PY'
import struct, sys
frames = 89479
data = b"\x00\x10" * frames
fmt = struct.pack("<HHIIHH", 1, 1, 1, 2, 2, 16)
body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(data)) + data
open(sys.argv[1], "wb").write(b"RIFF" + struct.pack("<I", len(body)) + body)
PY
good="$(winepath -w "$E2E_DIST/65.wav" 2>/dev/null)"
scheme_store Settings SoundEngine 1 EngineIdleSeconds 5 SchemesQuantity 1 Scheme0 Typewriter LastScheme 0 \
  'Typewriter_#65' "$good" 'Typewriter_#66' "$(winepath -w "$slow" 2>/dev/null)"

# The log of this run only.
find "$WINEPREFIX/drive_c/users" -name Clavitone.log -delete

recording="$E2E_LOGS/$E2E_TEST.raw"
e2e_record_start "$recording"
e2e_start_clavitone
e2e_wait_window 30000 || e2e_fail "Clavitone's window did not appear"
e2e_poll 30000 e2e_has_stream || e2e_fail "the engine opened no stream at the audio server"
sleep 1
e2e_alive "$CLAVITONE_PID" || e2e_fail "Clavitone ended with the 1 Hz file in its scheme"

e2e_driver keys 66 || e2e_fail "could not send key B"
sleep 0.5
e2e_alive "$CLAVITONE_PID" || e2e_fail "Clavitone ended on the key of the 1 Hz file"
peak=$(e2e_key_peak "$recording" 65)
e2e_note "peak after A, after the 1 Hz key: $peak"
((peak > 1000)) || e2e_fail "A put no sound into the sink after the 1 Hz key (peak $peak)"

# Nothing touched for 5 s: the stream goes, so that the system could sleep.
e2e_poll 12000 e2e_no_stream || e2e_fail "the stream stayed open with no input for 5 s"
e2e_note "idle: no stream"
peak=$(e2e_key_peak "$recording" 65)
e2e_note "peak of the first key after the idle stop: $peak"
((peak > 1000)) || e2e_fail "the first key after the idle stop put no sound into the sink (peak $peak)"
e2e_has_stream || e2e_fail "the key did not open the stream again"
e2e_alive "$CLAVITONE_PID" || e2e_fail "Clavitone ended"

options_window_id() {
  xwininfo -root -tree | grep -F "\"$options\"" | awk '{print $1}' | head -n 1
}
options_mapped() {
  local id
  id=$(options_window_id) && [[ -n $id ]] && xwininfo -id "$id" | grep -q 'IsViewable'
}
# Opens the Options window, saves its screenshot to FILE, closes it and Clavitone.
shoot_options() {
  e2e_driver show "$E2E_TITLE" || e2e_fail "could not show the preferences window"
  e2e_driver click "$E2E_TITLE" 'Options...' || e2e_fail "no \"Options...\" button"
  e2e_poll 5000 options_mapped || e2e_fail "the Options window was not mapped"
  e2e_driver has-text "$options" "$2" >/dev/null || e2e_fail "no status line \"$2\""
  sleep 0.5  # let the controls paint before the picture is taken
  rm -f "$1"
  import -window "$(options_window_id)" "$1" 2>/dev/null || e2e_fail "no screenshot"
  e2e_note "screenshot $1"
  e2e_driver click "$options" Cancel || e2e_fail "no Cancel button"
  e2e_poll 5000 scheme_window_hidden "$options" || e2e_fail "the Options window stayed open"
  e2e_driver close "$E2E_TITLE" || e2e_fail "could not close Clavitone"
  e2e_wait_exit "$CLAVITONE_PID" 5000 || e2e_fail "Clavitone did not end"
}
shoot_options "$artifacts/frmOptions-engine-on.png" 'Playing through Windows audio, 48000 Hz, 10 ms'

log=$(find "$WINEPREFIX/drive_c/users" -name Clavitone.log | head -n 1)
[[ -n $log ]] || e2e_fail "no log file"
grep -q 'Sound engine stopped: no input for the idle time' "$log" || e2e_fail "the log has no idle stop"
e2e_note "the log records the idle stop"

# Without Wine's audio device layer neither output starts: keys take the
# classic call, and Options says which call failed.
WINEDLLOVERRIDES=mmdevapi=d e2e_start_clavitone failed
e2e_wait_window 30000 || e2e_fail "Clavitone's window did not appear without audio devices"
shoot_options "$artifacts/frmOptions-engine-failed.png" \
  'Mixed engine unavailable: CoCreateInstance(MMDeviceEnumerator) failed (0x80040154); using the classic call'
grep -q 'Sound engine unavailable' "$log" || e2e_fail "the log does not say why the engine is unavailable"
if grep -qiE 'key|vk' <(grep -v 'Sound engine' "$log" | grep -v 'Clavitone started'); then
  e2e_fail "the log holds something beyond start-up and the engine's state"
fi
exit 0
