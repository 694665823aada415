# shellcheck shell=bash
# A private PulseAudio server with a null sink "rec" for the tests that need
# to hear what Clavitone plays. Sourced after wine_env.sh; exports
# PULSE_SERVER so that Wine processes started afterwards play into "rec".

E2E_PULSE_DIR="$E2E_STATE/pulse-$E2E_TEST"
E2E_PULSE_PID=

e2e_pulse_ready() { pactl info >/dev/null 2>&1; }

e2e_pulse_start() {
  command -v pulseaudio >/dev/null || e2e_fail "pulseaudio is not installed (tools/deps.sh installs it)"
  rm -rf "$E2E_PULSE_DIR"
  mkdir -p "$E2E_PULSE_DIR/runtime" "$E2E_PULSE_DIR/home"
  export PULSE_SERVER="unix:$E2E_PULSE_DIR/pulse.sock"
  # A server of our own: its own socket, its own runtime folders, no user
  # configuration, never exiting while idle.
  HOME="$E2E_PULSE_DIR/home" XDG_RUNTIME_DIR="$E2E_PULSE_DIR/runtime" \
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disallow-exit \
    -L "module-native-protocol-unix socket=$E2E_PULSE_DIR/pulse.sock auth-anonymous=1" \
    -L "module-null-sink sink_name=rec rate=48000" -L "module-always-sink" \
    </dev/null >"$E2E_LOGS/$E2E_TEST-pulse.log" 2>&1 &
  E2E_PULSE_PID=$!
  e2e_poll 10000 e2e_pulse_ready || e2e_fail "PulseAudio did not start (see $E2E_LOGS/$E2E_TEST-pulse.log)"
  pactl set-default-sink rec >/dev/null || e2e_fail "no null sink"
}

e2e_pulse_stop() {
  [[ -n $E2E_PULSE_PID ]] || return 0
  kill "$E2E_PULSE_PID" 2>/dev/null
  e2e_poll 5000 e2e_gone "$E2E_PULSE_PID" || kill -9 "$E2E_PULSE_PID" 2>/dev/null
  wait "$E2E_PULSE_PID" 2>/dev/null
  E2E_PULSE_PID=
}

# The number of streams playing into the server (Wine's stream, while it is open).
e2e_sink_inputs() {
  pactl list short sink-inputs 2>/dev/null | grep -c . || true
}

e2e_has_stream() { (($(e2e_sink_inputs) > 0)); }
e2e_no_stream() { (($(e2e_sink_inputs) == 0)); }

# Records the sink's monitor as raw 16-bit stereo at 48 kHz into FILE.
e2e_record_start() {
  # Emptied here, not only by the redirection: that happens in the recorder's
  # own process, maybe after the check below has seen an earlier recording.
  : >"$1"
  parec -d rec.monitor --latency-msec=10 --raw --format=s16le --rate=48000 --channels=2 >"$1" 2>>"$E2E_LOGS/$E2E_TEST-pulse.log" &
  E2E_RECORDER_PID=$!
  # Connecting takes a moment: a key pressed before the first data arrives
  # could be missed.
  e2e_poll 5000 test -s "$1" || e2e_fail "the recorder took no data from the sink's monitor"
}

e2e_record_stop() {
  kill "$E2E_RECORDER_PID" 2>/dev/null
  wait "$E2E_RECORDER_PID" 2>/dev/null
}

# Prints the largest absolute sample in a raw 16-bit recording, from byte
# FROM on (0 when not given).
e2e_peak() {
  python3 -c 'import sys, array
data = open(sys.argv[1], "rb").read()[int(sys.argv[2]) // 4 * 4 :]
samples = array.array("h", data[: len(data) // 2 * 2])
print(max((abs(x) for x in samples), default=0))' "$1" "${2:-0}"
}

# The recording's size so far: where the next sound will start.
e2e_recorded() { stat -c %s "$1"; }

# Prints the peak of what the sink put into the raw RECORDING within a second
# of pressing KEY.
e2e_key_peak() {
  local recording=$1 key=$2 from
  from=$(e2e_recorded "$recording")
  e2e_driver keys "$key" || e2e_fail "could not send key $key"
  sleep 1
  e2e_peak "$recording" "$from"
}
