#!/usr/bin/env bash
# Key to audible sound under Wine, the classic play call and the mixing
# engine side by side in one run: a private PulseAudio null sink, our
# recorder stamping its monitor on CLOCK_MONOTONIC_RAW, and timed keys from
# the driver (Wine's performance counter runs on that clock). Prints figures;
# no thresholds.
source "$(dirname "$0")/wine_env.sh"
e2e_begin sound_onset
source "$(dirname "$0")/pulse_env.sh"

KEYS=${ONSET_KEYS:-30}
settings='HKCU\Software\Clavitone\Settings'
set_value() {
  if [[ -n $2 ]]; then
    wine reg add "$settings" /v "$1" /t REG_SZ /d "$2" /f </dev/null >/dev/null 2>&1
  else
    wine reg delete "$settings" /v "$1" /f </dev/null >/dev/null 2>&1
  fi
}
set_engine() { set_value SoundEngine "$1"; }
finish() {
  local status=$?
  [[ -n ${RECORDER_PID:-} ]] && kill "$RECORDER_PID" 2>/dev/null
  e2e_cleanup
  set_engine ""
  set_value EngineIdleSeconds ""
  e2e_pulse_stop
  exit "$status"
}
trap finish EXIT

recorder="$E2E_BUILD_DIR/onset_recorder"
g++ -std=c++20 -O2 "$(dirname "$0")/../../bench/onset_recorder.cpp" -lpulse -o "$recorder" ||
  e2e_fail "could not build the recorder (libpulse-dev)"
e2e_pulse_start
out="$E2E_LOGS/onset"
mkdir -p "$out"

# One Clavitone with the engine setting VALUE: ONSET_KEYS presses of A a
# quarter second apart (the first is the process's first sound), three
# presses 5 ms apart; with SILENCE, ten presses sent 50 ms after their stamp
# (the planted delay the figures must show) and one more press after 10 s of
# quiet; with IDLE, "EngineIdleSeconds" is IDLE and three times over the
# stream is left to stop, then a key (the first after the stop) and a warm key.
run_engine() {
  local name=$1 value=$2 silence=$3 idle=${4:-}
  set_engine "$value"
  set_value EngineIdleSeconds "$idle"
  "$recorder" rec.monitor 300 "$out/$name.chunks" "$out/$name.raw" 60 &
  RECORDER_PID=$!
  e2e_start_clavitone "$name"
  e2e_wait_window || e2e_fail "Clavitone's window did not appear"
  sleep 1
  e2e_driver timed-keys 250 $(printf '65 %.0s' $(seq "$KEYS")) >"$out/$name.keys" || e2e_fail "could not send keys"
  sleep 1
  e2e_driver timed-keys 5 65 65 65 >"$out/$name.triple" || e2e_fail "could not send keys"
  if ((silence)); then
    sleep 1
    e2e_driver planted-keys 50 250 $(printf '65 %.0s' $(seq 10)) >"$out/$name.planted" || e2e_fail "could not send keys"
    sleep 10
    e2e_driver timed-keys 0 65 >"$out/$name.after-silence" || e2e_fail "could not send keys"
  fi
  if [[ -n $idle ]]; then
    : >"$out/$name.after-idle"
    : >"$out/$name.warm"
    for _ in 1 2 3; do
      sleep $((idle + 3))
      e2e_driver timed-keys 0 65 >>"$out/$name.after-idle" || e2e_fail "could not send keys"
      sleep 0.5
      e2e_driver timed-keys 0 65 >>"$out/$name.warm" || e2e_fail "could not send keys"
    done
  fi
  sleep 1
  kill "$RECORDER_PID" 2>/dev/null
  wait "$RECORDER_PID" 2>/dev/null
  RECORDER_PID=
  read -r private_bytes working_set < <(e2e_driver private-bytes "$E2E_TITLE")
  e2e_driver close "$E2E_TITLE" >/dev/null
  e2e_wait_exit "$CLAVITONE_PID" 5000
  python3 "$(dirname "$0")/onset_report.py" "$name" "$out/$name.chunks" "$out/$name.raw" "$out/$name.keys" \
    "$out/$name.triple" || e2e_fail "no figures for $name"
  if ((silence)); then
    python3 "$(dirname "$0")/onset_report.py" --all "$name with 50 ms planted before each send" "$out/$name.chunks" \
      "$out/$name.raw" "$out/$name.planted" || e2e_fail "no figures with the planted delay"
    python3 "$(dirname "$0")/onset_report.py" --all "$name after 10 s of silence" "$out/$name.chunks" "$out/$name.raw" \
      "$out/$name.after-silence" || e2e_fail "no figures after silence"
  fi
  if [[ -n $idle ]]; then
    python3 "$(dirname "$0")/onset_report.py" --all "$name first key after an idle stop" "$out/$name.chunks" \
      "$out/$name.raw" "$out/$name.after-idle" || e2e_fail "no figures after the idle stops"
    python3 "$(dirname "$0")/onset_report.py" --all "$name warm key 0.5 s later" "$out/$name.chunks" \
      "$out/$name.raw" "$out/$name.warm" || e2e_fail "no figures for the warm keys"
  fi
  echo "$name: private memory ${private_bytes:-?} bytes, working set ${working_set:-?} bytes"
  block=$(awk '{printf "%.2f\n", ($2 - $1) / 1e6}' "$out/$name.keys" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
  echo "$name: SendInput blocked (every hook answered) p50 $block ms"
}

run_engine classic "" 1
run_engine engine 1 1
run_engine engine-idle 1 0 5
