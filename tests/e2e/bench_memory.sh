#!/usr/bin/env bash
# What Clavitone costs to keep running, beside a bare window program with the
# same system DLLs (bare_window.exe), printed side by side: after start, after
# the preferences window is shown from the tray and hidden, after the About
# window is opened, and after KEYS key presses (3000 unless given). A second
# bare window plays the same keys' sounds, so that growth in Wine's own sound
# path shows apart from ours. Also prints how long the preferences window
# takes to appear after its tray menu entry, SHOWS times over (5 unless
# given). Figures only, no threshold.
#
# Usage: bench_memory.sh [KEYS [SHOWS]]; BENCH_MEMORY_KEYS and
# BENCH_MEMORY_SHOWS override both, BENCH_MEMORY_SMAPS names the folder
# that keeps every smaps, BENCH_MEMORY_SETTLE_S the seconds each stage
# settles before it is read (1).
#
# Memory of a program is that of its Linux process under Wine: private is
# Private_Clean + Private_Dirty, resident is Rss (/proc/<pid>/smaps_rollup,
# the sums of smaps).
source "$(dirname "$0")/wine_env.sh"
e2e_begin bench_memory

: "${E2E_BARE_WINDOW:?set by CTest: path of bare_window.exe}"
keys=${BENCH_MEMORY_KEYS:-${1:-3000}}
shows_wanted=${BENCH_MEMORY_SHOWS:-${2:-5}}
minimize=" Minimize"
settle=${BENCH_MEMORY_SETTLE_S:-1}

# The Linux process that runs PID's Windows program: the loader itself, or
# the one child of the shell that started it.
linux_process() {
  local pid=$1 child
  [[ $(readlink "/proc/$pid/exe") == *wine* ]] && { echo "$pid"; return; }
  child=$(cat "/proc/$pid/task/$pid/children" 2>/dev/null)
  echo "${child%% *}"
}

# "private resident" of a process, in KiB.
memory_of() {
  [[ -r /proc/$1/smaps_rollup ]] || e2e_fail "process $1 has gone"
  awk '/^Rss:/ {rss = $2} /^Private_(Clean|Dirty):/ {private += $2} END {print private, rss}' \
    "/proc/$1/smaps_rollup"
}

mb() { awk -v k="$1" 'BEGIN {printf "%6.1f", k / 1024}'; }

# Every mapping of every program at every stage is kept, to tell where the
# memory lies.
smaps_folder=${BENCH_MEMORY_SMAPS:-$E2E_LOGS/$E2E_TEST-smaps}
mkdir -p "$smaps_folder"
smaps_of() { echo "$smaps_folder/$1-${2//[ ,]/_}.smaps"; }
# Prints the largest differences in private memory by mapping.
where() {
  printf '\n%s:\n' "$1"
  python3 "$(dirname "$0")/smaps_diff.py" "$2" "$3" 8
}

declare -A private resident
stages=()
# Reads every program once the stage has settled.
sample() {
  local stage=$1 name values
  stages+=("$stage")
  sleep "$settle"
  for name in clavitone bare player; do
    read -r values <<<"$(memory_of "${process[$name]}")"
    cp "/proc/${process[$name]}/smaps" "$(smaps_of "$name" "$stage")"
    private[$name,$stage]=${values% *}
    resident[$name,$stage]=${values#* }
  done
}

has_process() { [[ -n $(linux_process "$1") ]]; }

start_bare() {
  local name=$1 started
  shift
  WINEDEBUG=trace+winmm wine "$E2E_BARE_WINDOW" "$@" </dev/null >/dev/null 2>>"$E2E_LOGS/$E2E_TEST-$name.log" &
  started=$!
  E2E_CHILDREN+=("$started")
  e2e_poll 5000 has_process "$started" || e2e_fail "$name did not start"
  process[$name]=$(linux_process "$started")
}

# The built-in schemes, as the installer writes them for this program folder.
store_key='HKCU\Software\Clavitone'
trap 'status=$?; wine reg delete "$store_key" /f </dev/null >/dev/null 2>&1; e2e_cleanup; exit $status' EXIT
python3 "$(dirname "$0")/../../installer/make_settings.py" reg "$(dirname "$0")/../../installer/settings.txt" \
  "$E2E_LOGS/$E2E_TEST.reg" "$(<"$E2E_STATE/dist-winpath")" || e2e_fail "could not make the built-in schemes"
wine reg delete "$store_key" /f </dev/null >/dev/null 2>&1
wine reg import "$(winepath -w "$E2E_LOGS/$E2E_TEST.reg" </dev/null 2>/dev/null | tr -d '\r')" </dev/null >/dev/null 2>&1 ||
  e2e_fail "could not import the built-in schemes"

declare -A process
e2e_start_clavitone
e2e_wait_window || e2e_fail "Clavitone's window did not appear"
e2e_poll 5000 has_process "$CLAVITONE_PID" || e2e_fail "no process for Clavitone"
process[clavitone]=$(linux_process "$CLAVITONE_PID")
start_bare bare
start_bare player "$(<"$E2E_STATE/dist-winpath")\Typewriter"
e2e_driver wait-window "Clavitone Bare Window" 5000 >/dev/null || e2e_fail "the bare window did not appear"
sample "after start"

# Preferences from the tray menu: Down twice, then Enter.
tray_choice() {
  e2e_driver tray "$E2E_TITLE" 517 || e2e_fail "could not release the right button on the icon"
  e2e_driver wait-menu open 5000 >/dev/null || e2e_fail "the tray menu did not open"
}
hidden() { [[ $(e2e_driver visible "$1") == 0* ]]; }
hide_preferences() {
  e2e_driver click "$E2E_TITLE" "$minimize" || e2e_fail "could not hide the preferences window"
  e2e_poll 5000 hidden "$E2E_TITLE" || e2e_fail "the preferences window stayed"
}
show_preferences() {
  tray_choice
  e2e_driver time-shown "$E2E_TITLE" 40 40 13 || e2e_fail "the preferences window did not appear"
  hide_preferences
}
first_show=$(show_preferences) || exit 1
sample "prefs shown, hidden"
shows=()
for ((i = 0; i < shows_wanted; i++)); do
  took=$(show_preferences) || exit 1
  shows+=("$took")
done
again_show=$(printf '%s\n' "${shows[@]}" | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}')

tray_choice
about_show=$(e2e_driver time-shown About 40 40 40 40 13) || e2e_fail "the About window did not appear"
sample "About open"
e2e_driver click About OK || e2e_fail "could not close the About window"

# Letters and digits in turn, a hundred presses per driver call.
batch=()
for ((i = 0; i < 100; i++)); do
  codes=(65 66 67 68 69 70 71 72 73 74 75 76 77 78 79 80 81 82 83 84 85 86 87 88 89 90 48 49 50 51 52 53 54 55 56 57 32)
  batch+=("${codes[i % ${#codes[@]}]}")
done
for ((sent = 0; sent < keys; sent += ${#batch[@]})); do
  e2e_driver keys "${batch[@]:0:$((keys - sent < ${#batch[@]} ? keys - sent : ${#batch[@]}))}" ||
    e2e_fail "could not send keys"
done
sample "after $keys keys"

e2e_note "sounds played: Clavitone $(grep -c 'proc_PlaySound SoundName=' "$CLAVITONE_LOG")"
printf '\nMemory in MB under %s (private = Private_Clean + Private_Dirty; resident = Rss)\n' "$E2E_WINEARCH"
printf '%-20s  %-17s  %-17s  %-17s  %s\n' "" "Clavitone" "bare window" "bare, playing" "Clavitone minus"
printf '%-20s  %-17s  %-17s  %-17s  %s\n' "" "private resident" "private resident" "private resident" "bare  playing"
for stage in "${stages[@]}"; do
  printf '%-20s  %s %s    %s %s    %s %s    %s %s\n' "$stage" \
    "$(mb "${private[clavitone,$stage]}")" "$(mb "${resident[clavitone,$stage]}")" \
    "$(mb "${private[bare,$stage]}")" "$(mb "${resident[bare,$stage]}")" \
    "$(mb "${private[player,$stage]}")" "$(mb "${resident[player,$stage]}")" \
    "$(mb $((private[clavitone,$stage] - private[bare,$stage])))" \
    "$(mb $((private[clavitone,$stage] - private[player,$stage])))"
done
printf '\nFrom the tray menu entry to the window shown and painted, in ms: preferences first %s, then %s\n' \
  "$first_show" "${shows[*]}"
printf '(median %s); About first %s\n' "$again_show" "$about_show"

echo
echo "Private KiB by mapping (a Wine thread's stacks are an anonymous rw-p region of about 3 MiB; the"
echo "kept smaps are in $smaps_folder)"
where "Clavitone beyond the bare window, after start" \
  "$(smaps_of clavitone "after start")" "$(smaps_of bare "after start")"
where "Clavitone's growth from showing and hiding the preferences window" \
  "$(smaps_of clavitone "prefs shown, hidden")" "$(smaps_of clavitone "after start")"
where "Clavitone's growth over $keys keys" \
  "$(smaps_of clavitone "after $keys keys")" "$(smaps_of clavitone "About open")"
where "the playing bare window's growth over $keys keys" \
  "$(smaps_of player "after $keys keys")" "$(smaps_of player "About open")"

for name in bare player; do
  kill "${process[$name]}" 2>/dev/null
done
