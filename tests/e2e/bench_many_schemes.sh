#!/usr/bin/env bash
# How long start-up takes, from process start until the message loop answers,
# with a store of a few schemes and with one of many names (30,000 unless
# given): the scheme list fills at start-up, before the tray icon appears.
# Prints the figures; no threshold.
source "$(dirname "$0")/scheme_env.sh"
scheme_begin bench_many_schemes

many=${1:-30000}

# The store of COUNT names, "Scheme" 0 .. COUNT-1, written as one .reg file.
store_names() {
  local count=$1 file="$E2E_LOGS/$E2E_TEST-store.reg" i
  {
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Clavitone\\Settings]\r\n'
    printf '"SchemesQuantity"="%d"\r\n"LastScheme"="0"\r\n' "$count"
    for ((i = 0; i < count; ++i)); do printf '"Scheme%d"="Name %d"\r\n' "$i" "$i"; done
  } >"$file"
  wine reg delete "$SCHEME_KEY" /f </dev/null >/dev/null 2>&1
  wine reg import "$(winepath -w "$file" 2>/dev/null)" </dev/null >/dev/null 2>&1 ||
    e2e_fail "could not import a store of $count names"
}

# Prints the milliseconds from start to the first answer of the message loop.
start_up_ms() {
  local count=$1 begun ended entries
  begun=${EPOCHREALTIME/./}
  e2e_start_clavitone "names$count"
  e2e_wait_window 600000 || e2e_fail "Clavitone did not finish start-up with $count names"
  ended=${EPOCHREALTIME/./}
  entries=$(e2e_driver list "$E2E_TITLE" | wc -l)
  ((entries == count)) || e2e_fail "the list holds $entries entries, not $count"
  e2e_driver close "$E2E_TITLE" >/dev/null
  e2e_wait_exit "$CLAVITONE_PID" 10000 || e2e_fail "Clavitone did not end"
  echo $(((ended - begun) / 1000))
}

for count in 2 "$many"; do
  store_names "$count"
  echo "start-up with $count stored scheme names: $(start_up_ms "$count") ms"
done
exit 0
