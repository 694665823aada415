#!/usr/bin/env bash
# What Clavitone costs to keep running, beside a bare window program with the
# same system DLLs (bare_window.exe), printed side by side: after start, after
# the preferences window is shown from the tray and hidden, after the About
# window is opened, and after KEYS key presses (3000 unless given). A second
# bare window plays the same keys' sounds, so that growth in Wine's own sound
# path shows apart from ours. Also prints how long the preferences window
# takes to appear after its tray menu entry, SHOWS times over (5 unless
# given). With ROUNDS (1 unless given), all of it runs that many times over
# with fresh processes, and each figure is the median. Figures only, no
# threshold.
#
# Usage: bench_memory.sh [KEYS [SHOWS [ROUNDS]]]; BENCH_MEMORY_KEYS,
# BENCH_MEMORY_SHOWS and BENCH_MEMORY_ROUNDS override them,
# BENCH_MEMORY_SMAPS names the folder that keeps every smaps (of the last
# round), BENCH_MEMORY_SETTLE_S the seconds each stage settles before it is
# read (1).
#
# Memory of a program is that of its Linux process under Wine: private is
# Private_Clean + Private_Dirty, resident is Rss (/proc/<pid>/smaps_rollup,
# the sums of smaps).
source "$(dirname "$0")/wine_env.sh"
e2e_begin bench_memory

: "${E2E_BARE_WINDOW:?set by CTest: path of bare_window.exe}"
keys=${BENCH_MEMORY_KEYS:-${1:-3000}}
shows_wanted=${BENCH_MEMORY_SHOWS:-${2:-5}}
rounds=${BENCH_MEMORY_ROUNDS:-${3:-1}}
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
median() { printf '%s\n' "$@" | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

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

# KiB by program, stage and round.
declare -A private resident
stages=()
# Reads every program once the stage has settled.
sample() {
  local stage=$1 name values
  ((round > 1)) || stages+=("$stage")
  sleep "$settle"
  for name in clavitone bare player; do
    read -r values <<<"$(memory_of "${process[$name]}")"
    cp "/proc/${process[$name]}/smaps" "$(smaps_of "$name" "$stage")"
    private[$name,$stage,$round]=${values% *}
    resident[$name,$stage,$round]=${values#* }
  done
}

# The median over the rounds of one figure: private or resident, program, stage.
figure() {
  local -n table=$1
  local values=() r
  for ((r = 1; r <= rounds; r++)); do values+=("${table[$2,$3,$r]}"); done
  median "${values[@]}"
}
# The same for the difference between two programs.
difference() {
  local values=() r
  for ((r = 1; r <= rounds; r++)); do values+=($((private[$1,$3,$r] - private[$2,$3,$r]))); done
  median "${values[@]}"
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

# Letters and digits in turn, a hundred presses per driver call.
batch=()
for ((i = 0; i < 100; i++)); do
  codes=(65 66 67 68 69 70 71 72 73 74 75 76 77 78 79 80 81 82 83 84 85 86 87 88 89 90 48 49 50 51 52 53 54 55 56 57 32)
  batch+=("${codes[i % ${#codes[@]}]}")
done

# One round: fresh processes, every stage read, then all of them ended.
# Wine sets up its print spooler once, in the first process of the session to
# load it, and that process keeps those pages (some 0.2 MB of libcups). So a
# bare window that is not measured starts first and takes that cost for all.
one_round() {
  start_bare spooler
  e2e_driver wait-window "Clavitone Bare Window" 5000 >/dev/null || e2e_fail "the first bare window did not appear"
  e2e_start_clavitone
  e2e_wait_window || e2e_fail "Clavitone's window did not appear"
  e2e_poll 5000 has_process "$CLAVITONE_PID" || e2e_fail "no process for Clavitone"
  process[clavitone]=$(linux_process "$CLAVITONE_PID")
  start_bare bare
  start_bare player "$(<"$E2E_STATE/dist-winpath")\Typewriter"
  e2e_driver wait-window "Clavitone Bare Window" 5000 >/dev/null || e2e_fail "the bare window did not appear"
  sample "after start"

  took=$(show_preferences) || exit 1
  firsts+=("$took")
  sample "prefs shown, hidden"
  for ((i = 0; i < shows_wanted; i++)); do
    took=$(show_preferences) || exit 1
    shows+=("$took")
  done

  tray_choice
  took=$(e2e_driver time-shown About 40 40 40 40 13) || e2e_fail "the About window did not appear"
  abouts+=("$took")
  sample "About open"
  e2e_driver click About OK || e2e_fail "could not close the About window"

  for ((sent = 0; sent < keys; sent += ${#batch[@]})); do
    e2e_driver keys "${batch[@]:0:$((keys - sent < ${#batch[@]} ? keys - sent : ${#batch[@]}))}" ||
      e2e_fail "could not send keys"
  done
  sample "after $keys keys"
  e2e_note "round $round: Clavitone played $(grep -c 'proc_PlaySound SoundName=' "$CLAVITONE_LOG") sounds"
  e2e_driver close "$E2E_TITLE" || e2e_fail "could not close Clavitone"
  e2e_wait_exit "$CLAVITONE_PID" 5000 || e2e_fail "Clavitone did not end"
  kill "${process[bare]}" "${process[player]}" "${process[spooler]}"
  e2e_poll 5000 e2e_gone "${process[bare]}" && e2e_poll 5000 e2e_gone "${process[player]}" &&
    e2e_poll 5000 e2e_gone "${process[spooler]}" || e2e_fail "a bare window did not end"
}

declare -A process
firsts=()
shows=()
abouts=()
for ((round = 1; round <= rounds; round++)); do
  one_round
done

printf '\nMemory in MB under %s (private = Private_Clean + Private_Dirty; resident = Rss), median of %d\n' \
  "$E2E_WINEARCH" "$rounds"
printf '%-20s  %-17s  %-17s  %-17s  %s\n' "" "Clavitone" "bare window" "bare, playing" "Clavitone minus"
printf '%-20s  %-17s  %-17s  %-17s  %s\n' "" "private resident" "private resident" "private resident" "bare  playing"
for stage in "${stages[@]}"; do
  printf '%-20s  %s %s    %s %s    %s %s    %s %s\n' "$stage" \
    "$(mb "$(figure private clavitone "$stage")")" "$(mb "$(figure resident clavitone "$stage")")" \
    "$(mb "$(figure private bare "$stage")")" "$(mb "$(figure resident bare "$stage")")" \
    "$(mb "$(figure private player "$stage")")" "$(mb "$(figure resident player "$stage")")" \
    "$(mb "$(difference clavitone bare "$stage")")" "$(mb "$(difference clavitone player "$stage")")"
done
printf '\nFrom the tray menu entry to the window shown and painted, in ms (median):\n'
printf '  preferences, first time: %s (%s)\n' "$(median "${firsts[@]}")" "${firsts[*]}"
printf '  preferences, again:      %s (%s)\n' "$(median "${shows[@]}")" "${shows[*]}"
printf '  About, first time:       %s (%s)\n' "$(median "${abouts[@]}")" "${abouts[*]}"

echo
echo "Private KiB by mapping (a Wine thread's stacks are an anonymous rw-p region of about 3 MiB; the"
echo "kept smaps, of the last round, are in $smaps_folder)"
where "Clavitone beyond the bare window, after start" \
  "$(smaps_of clavitone "after start")" "$(smaps_of bare "after start")"
where "Clavitone's growth from showing and hiding the preferences window" \
  "$(smaps_of clavitone "prefs shown, hidden")" "$(smaps_of clavitone "after start")"
where "Clavitone's growth over $keys keys" \
  "$(smaps_of clavitone "after $keys keys")" "$(smaps_of clavitone "About open")"
where "the playing bare window's growth over $keys keys" \
  "$(smaps_of player "after $keys keys")" "$(smaps_of player "About open")"
