# shellcheck shell=bash
# Shared ground for the end-to-end tests: one Wine prefix under the build
# folder, one private Xvfb, and helpers to run Clavitone and watch what it plays.
#
# Sourced by every test script. Run directly as `bash wine_env.sh setup` or
# `bash wine_env.sh teardown` for the CTest fixtures that bracket a test run.
#
# Expects from CTest: E2E_BUILD_DIR (the Windows build folder), E2E_DIST
# (where Clavitone.exe and keybhook.dll are), E2E_DRIVER (e2e_driver.exe) and
# E2E_WINEARCH (win32 or win64: the width of that build).

: "${E2E_BUILD_DIR:?set by CTest: the Windows build folder}"
: "${E2E_DIST:?set by CTest: the folder holding Clavitone.exe}"
: "${E2E_DRIVER:?set by CTest: path of e2e_driver.exe}"
: "${E2E_WINEARCH:?set by CTest: win32 or win64}"

source "$(dirname "${BASH_SOURCE[0]}")/../../tools/wine_loader.sh"
wine_use_build "$E2E_WINEARCH" || exit 1
export WINEPREFIX="$E2E_BUILD_DIR/wineprefix"
export WINEDEBUG=-all
# Keep Wine from offering to download its .NET and HTML engines: nothing here
# needs them and the offer is a dialog nobody would answer.
export WINEDLLOVERRIDES="mscoree,mshtml="

E2E_STATE="$E2E_BUILD_DIR/e2e-state"
E2E_LOGS="$E2E_BUILD_DIR/e2e-logs"
E2E_TITLE="Clavitone Preferences"
E2E_INSTANCE_MUTEX='Local\Clavitone.Instance'
mkdir -p "$E2E_STATE" "$E2E_LOGS"

e2e_fail() {
  echo "FAIL: $*" >&2
  exit 1
}

e2e_note() {
  echo "e2e: $*" >&2
}

# --- polling -----------------------------------------------------------------

# Runs "$@" every 50 ms until it succeeds or TIMEOUT_MS pass; returns its status.
e2e_poll() {
  local timeout_ms=$1
  shift
  local deadline=$((${EPOCHREALTIME/./} / 1000 + timeout_ms))
  until "$@"; do
    ((${EPOCHREALTIME/./} / 1000 < deadline)) || return 1
    sleep 0.05
  done
}

# True while PID is a live process (a zombie counts as gone).
e2e_alive() {
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
  stat=${stat##*) }
  [[ ${stat%% *} != Z ]]
}

e2e_gone() { ! e2e_alive "$1"; }

# Waits up to TIMEOUT_MS for our child PID to exit and reaps it; its exit
# status ends up in E2E_EXIT_STATUS. Returns 1 if it is still running.
e2e_wait_exit() {
  local pid=$1 timeout_ms=$2
  e2e_poll "$timeout_ms" e2e_gone "$pid" || return 1
  E2E_EXIT_STATUS=0
  wait "$pid" 2>/dev/null || E2E_EXIT_STATUS=$?
}

# --- the resolution ----------------------------------------------------------------

E2E_DESKTOP_KEY='HKCU\Control Panel\Desktop'

# Remembers the prefix's resolution: it serves every test of the run, so a
# test that changes it puts it back with e2e_restore_dpi however it ends.
e2e_save_dpi() {
  E2E_SAVED_DPI=$(wine reg query "$E2E_DESKTOP_KEY" /v LogPixels </dev/null 2>/dev/null | tr -d '\r' |
    awk '$1 == "LogPixels" { print $3 }')
}

e2e_restore_dpi() {
  if [[ -n ${E2E_SAVED_DPI:-} ]]; then
    wine reg add "$E2E_DESKTOP_KEY" /v LogPixels /t REG_DWORD /d "$((E2E_SAVED_DPI))" /f </dev/null >/dev/null 2>&1
  else
    wine reg delete "$E2E_DESKTOP_KEY" /v LogPixels /f </dev/null >/dev/null 2>&1
  fi
}

# Programs started from now on run at DPI dots per inch.
e2e_set_dpi() {
  wine reg add "$E2E_DESKTOP_KEY" /v LogPixels /t REG_DWORD /d "$1" /f </dev/null >/dev/null 2>&1 ||
    e2e_fail "could not set $1 DPI"
}

# --- the typing target ---------------------------------------------------------

# A program of ours with an ordinary and a password Edit, to type into.
E2E_TYPING_PID=''

# Starts it with MODE ("plain" or "password": the Edit that takes the focus)
# and waits until it is in front.
e2e_start_typing_target() {
  wine "$E2E_TYPING_TARGET" "$1" </dev/null >/dev/null 2>&1 &
  E2E_TYPING_PID=$!
  e2e_driver foreground-is 'Typing target' 10000 || e2e_fail "the typing target did not come to the front"
}

# Closes it if it runs: for the test's exit trap, before the harness's cleanup.
e2e_end_typing_target() {
  [[ -n $E2E_TYPING_PID ]] || return 0
  e2e_driver close 'Typing target' >/dev/null 2>&1
  wait "$E2E_TYPING_PID" 2>/dev/null
  E2E_TYPING_PID=''
}

# --- the display ---------------------------------------------------------------

# A display number that is stable for one build folder and unlikely to clash
# with a desktop or another checkout's test run.
e2e_preferred_display() {
  local sum
  sum=$(printf '%s' "$E2E_BUILD_DIR" | cksum)
  echo $((100 + ${sum%% *} % 800))
}

e2e_display_taken() {
  [[ -e /tmp/.X$1-lock || -e /tmp/.X11-unix/X$1 ]]
}

e2e_display_ready() {
  xdpyinfo -display ":$1" >/dev/null 2>&1
}

# Process ids recorded in the state folder are only trusted while the
# process still is what we started.
e2e_is_our_xvfb() {
  local pid=$1 display=$2
  [[ -n $pid ]] && e2e_alive "$pid" &&
    tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -q "^Xvfb :$display "
}

e2e_start_xvfb() {
  if [[ -f $E2E_STATE/xvfb ]]; then
    local pid display
    read -r display pid <"$E2E_STATE/xvfb"
    if e2e_is_our_xvfb "$pid" "$display" && e2e_display_ready "$display"; then
      e2e_note "reusing Xvfb :$display (pid $pid)"
      return 0
    fi
    rm -f "$E2E_STATE/xvfb"
  fi
  local display tries
  display=$(e2e_preferred_display)
  for ((tries = 0; tries < 20; tries++, display++)); do
    e2e_display_taken "$display" && continue
    setsid Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp \
      </dev/null >"$E2E_LOGS/xvfb.log" 2>&1 &
    local pid=$!
    if e2e_poll 10000 e2e_display_ready "$display" && e2e_alive "$pid"; then
      echo "$display $pid" >"$E2E_STATE/xvfb"
      e2e_note "started Xvfb :$display (pid $pid)"
      return 0
    fi
    # Lost a race for that number, or Xvfb would not start: try the next.
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  e2e_fail "could not start Xvfb (see $E2E_LOGS/xvfb.log)"
}

e2e_stop_xvfb() {
  [[ -f $E2E_STATE/xvfb ]] || return 0
  local display pid
  read -r display pid <"$E2E_STATE/xvfb"
  if e2e_is_our_xvfb "$pid" "$display"; then
    kill "$pid"
    e2e_poll 5000 e2e_gone "$pid" || kill -9 "$pid" 2>/dev/null
  fi
  rm -f "$E2E_STATE/xvfb"
}

# --- the prefix ------------------------------------------------------------------

e2e_copy_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" font
  mkdir -p "$fonts"
  for font in marlett.ttf tahoma.ttf tahomabd.ttf ms_sans_serif.ttf; do
    [[ -f /usr/share/wine/fonts/$font ]] && cp -f "/usr/share/wine/fonts/$font" "$fonts/"
  done
  return 0
}

e2e_create_prefix() {
  e2e_note "creating Wine prefix $WINEPREFIX"
  wineboot -i </dev/null >>"$E2E_LOGS/setup.log" 2>&1 || e2e_fail "wineboot failed (see $E2E_LOGS/setup.log)"
  # Without a window manager, managed windows make every hide wait for an
  # answer that never comes.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
    </dev/null >>"$E2E_LOGS/setup.log" 2>&1 || e2e_fail "could not configure the prefix"
  e2e_copy_fonts
  touch "$WINEPREFIX/.e2e-ready"
}

# A half-made prefix (an interrupted first run) is made again from scratch.
e2e_discard_unfinished_prefix() {
  [[ -f $WINEPREFIX/.e2e-ready ]] && return 0
  case $WINEPREFIX in
    "$E2E_BUILD_DIR"/*) rm -rf "$WINEPREFIX" ;;
    *) e2e_fail "refusing to replace $WINEPREFIX" ;;
  esac
}

# A persistent server makes each later wine call start in a few hundredths
# of a second instead of booting a server every time. It must be the first
# server of the run: -p cannot be added to one that is already running.
e2e_start_wineserver() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w
  mkdir -p "$WINEPREFIX"
  wineserver -p </dev/null >>"$E2E_LOGS/setup.log" 2>&1 || e2e_fail "wineserver -p failed"
}

e2e_setup() {
  : >"$E2E_LOGS/setup.log"
  "$WINE_LOADER" --version </dev/null >>"$E2E_LOGS/setup.log" 2>&1 ||
    e2e_fail "$WINE_LOADER does not start on this machine, so the $E2E_WINEARCH build cannot be tested here (see $E2E_LOGS/setup.log)"
  e2e_start_xvfb
  e2e_load_display
  e2e_discard_unfinished_prefix
  e2e_start_wineserver
  [[ -f $WINEPREFIX/.e2e-ready ]] || e2e_create_prefix
  e2e_driver count-windows "$E2E_TITLE" >/dev/null 2>>"$E2E_LOGS/setup.log" ||
    e2e_fail "the test driver does not run under Wine (see $E2E_LOGS/setup.log)"
  winepath -w "$E2E_DIST" </dev/null >"$E2E_LOGS/winepath.out" 2>>"$E2E_LOGS/setup.log"
  tr -d '\r' <"$E2E_LOGS/winepath.out" >"$E2E_STATE/dist-winpath"
  [[ -s $E2E_STATE/dist-winpath ]] || e2e_fail "winepath failed for $E2E_DIST"
}

e2e_teardown() {
  wineserver -k </dev/null >>"$E2E_LOGS/setup.log" 2>&1 || true
  e2e_stop_xvfb
}

e2e_load_display() {
  [[ -f $E2E_STATE/xvfb ]] || e2e_fail "no test display: the e2e_setup fixture did not run"
  local display pid
  read -r display pid <"$E2E_STATE/xvfb"
  export DISPLAY=":$display"
}

# --- driving Wine --------------------------------------------------------------

# Runs the test driver. Its output goes through files, not pipes: a Wine
# process may start helpers (services, the desktop) that inherit its
# descriptors and outlive it, and a pipe held open by them would keep CTest
# waiting for the end of the test's output.
e2e_driver() {
  local out="$E2E_LOGS/driver.out" err="$E2E_LOGS/driver.err" status=0
  wine "$E2E_DRIVER" "$@" </dev/null >"$out" 2>"$err" || status=$?
  tr -d '\r' <"$out"
  tr -d '\r' <"$err" >&2
  return "$status"
}

# True while a Clavitone that this test started is still running.
e2e_ours_running() {
  local pid
  for pid in "${E2E_CHILDREN[@]}"; do
    e2e_alive "$pid" && return 0
  done
  return 1
}

# Starts Clavitone.exe in the background with winmm tracing on, plus the
# trace CHANNELS if given (e.g. "trace+hook"). Sets CLAVITONE_PID and
# CLAVITONE_LOG (the trace). NAME tells the log apart when a test starts
# more than one; EXE, a program file other than the build's (an installed
# one, as a Windows or Unix path).
e2e_start_clavitone() {
  local name=${1:-clavitone} channels=${2:+,$2} exe=${3:-$E2E_DIST/Clavitone.exe}
  # Wine drops an ended process's objects a moment after its Linux process is
  # gone; until then the instance mutex of a Clavitone that just ended still
  # stands, and a new one would take itself for a second instance.
  if ! e2e_ours_running; then
    e2e_driver wait-mutex-gone "$E2E_INSTANCE_MUTEX" 5000 >/dev/null ||
      e2e_fail "an ended Clavitone still holds its instance mutex"
  fi
  CLAVITONE_LOG="$E2E_LOGS/$E2E_TEST-$name.log"
  : >"$CLAVITONE_LOG"
  WINEDEBUG=trace+winmm$channels wine "$exe" </dev/null >/dev/null 2>"$CLAVITONE_LOG" &
  CLAVITONE_PID=$!
  E2E_CHILDREN+=("$CLAVITONE_PID")
}

e2e_wait_window() {
  e2e_driver wait-window "$E2E_TITLE" "${1:-10000}"
}

# The X window of Clavitone's preferences window, once it is on the display.
e2e_window_id() {
  xwininfo -root -tree | grep -F "\"$E2E_TITLE\"" | awk '{print $1}' | head -n 1
}

e2e_window_mapped() {
  local id
  id=$(e2e_window_id) && [[ -n $id ]] && xwininfo -id "$id" | grep -q 'IsViewable'
}

# Prints the screen position of pixel X,Y of the preferences window's client
# area (537 x 384 pixels inside an even border and a caption).
e2e_client_point() {
  local geometry left top width height border
  geometry=$(xwininfo -id "$(e2e_window_id)")
  left=$(awk '/Absolute upper-left X/ {print $4}' <<<"$geometry")
  top=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$geometry")
  width=$(awk '/Width:/ {print $2}' <<<"$geometry")
  height=$(awk '/Height:/ {print $2}' <<<"$geometry")
  border=$(((width - 537) / 2))
  echo "$((left + border + $1)) $((top + height - 384 - border + $2))"
}

# Clicks mouse BUTTON (1 left, 3 right) at pixel X,Y of the client area.
e2e_click_client() {
  # shellcheck disable=SC2046
  xdotool mousemove $(e2e_client_point "$1" "$2") click "${3:-1}"
}

# Shows the preferences window and waits until it is on the display.
e2e_show_window() {
  e2e_driver show "$E2E_TITLE" || e2e_fail "could not show the window"
  e2e_poll 5000 e2e_window_mapped || e2e_fail "the window was not mapped on the display"
}

# Prints the data of the first value in the program's "Settings" whose name
# ends in SUFFIX (whatever the current scheme is called); nothing when none.
e2e_setting_ending() {
  wine reg query 'HKCU\Software\Clavitone\Settings' </dev/null 2>/dev/null | tr -d '\r' |
    grep -F -- "$1    REG_SZ" | head -n 1 | sed 's/.*    REG_SZ    //'
}

# Checks the client area and the controls of the window titled TITLE against
# LAYOUT in twips, one line each: "client <width> <height>" and
# "<left> <top> <width> <height> <class> [<text>]" in the window's client
# area (a control inside a frame: the frame's place plus its own). Wine
# reports 96 DPI, 15 twips a pixel.
e2e_expect_layout() {
  local title=$1 layout=$2 expected actual
  expected=$(awk '$1 == "client" { print "client", $2 / 15, $3 / 15; next }
    { line = sprintf("%d %d %d %d", $1 / 15, $2 / 15, $3 / 15, $4 / 15)
      for (i = 5; i <= NF; i++) line = line " " $i
      print line }' <<<"$layout" | sort)
  actual=$(e2e_driver layout "$title" | sed 's/ *$//' | sort) || e2e_fail "could not read the layout of \"$title\""
  [[ $actual == "$expected" ]] ||
    e2e_fail "layout of \"$title\": expected"$'\n'"$expected"$'\n'"got"$'\n'"$actual"
  e2e_note "layout of \"$title\" as laid out in twips"
}

e2e_count_windows() {
  e2e_driver count-windows "$E2E_TITLE"
}

# A null sound path as the trace prints it: 8 hex zeros on 32-bit Wine, 16
# on 64-bit, e.g. MULTIMEDIA_PlaySound pszSound='00000000'.
e2e_null_sound_count() {
  local log=${1:-$CLAVITONE_LOG}
  grep -cE "MULTIMEDIA_PlaySound pszSound='0+'" "$log" || true
}

# The trace names the file as a wide string with escaped backslashes:
#   trace:winmm:proc_PlaySound SoundName=L"Z:\\build\\dist\\65.wav"
e2e_escaped() {
  local text=$1
  printf '%s' "${text//\\/\\\\}"
}

# Prints how many sounds named FILE (e.g. 65.wav, any folder) LOG shows.
e2e_sound_count() {
  local file=$1 log=${2:-$CLAVITONE_LOG}
  grep -F 'proc_PlaySound SoundName=' "$log" | grep -cF "\\\\$file\"" || true
}

# Prints how many sounds of exactly this path, given as a Windows path.
e2e_sound_count_path() {
  local path=$1 log=${2:-$CLAVITONE_LOG}
  grep -cF "proc_PlaySound SoundName=L\"$(e2e_escaped "$path")\"" "$log" || true
}

# Prints the Windows path of a file in the program folder.
e2e_program_file() {
  echo "$(<"$E2E_STATE/dist-winpath")\\$1"
}

e2e_has_sounds() {
  (($(e2e_sound_count "$1" "${3:-$CLAVITONE_LOG}") >= $2))
}

# Waits (bounded) until LOG shows at least COUNT sounds of FILE.
e2e_wait_sounds() {
  local file=$1 count=$2 log=${3:-$CLAVITONE_LOG}
  e2e_poll "${E2E_SOUND_TIMEOUT_MS:-5000}" e2e_has_sounds "$file" "$count" "$log"
}

# Presses KEY and waits until it sounds once more: every key event before it
# has then been handled too, so counts taken afterwards are final.
e2e_settle_with() {
  local vk=$1 before
  before=$(e2e_sound_count "$vk.wav")
  e2e_driver keys "$vk" || e2e_fail "could not send key $vk"
  e2e_wait_sounds "$vk.wav" $((before + 1)) || e2e_fail "key $vk did not sound"
}

e2e_expect_count() {
  local what=$1 expected=$2 actual=$3
  [[ $actual == "$expected" ]] || e2e_fail "$what: expected $expected, got $actual"
  e2e_note "$what: $actual"
}

# --- cleanup -----------------------------------------------------------------------

E2E_CHILDREN=()

# Ends whatever this test started and is still running: a close request
# first, so the program removes its hook, then a kill by process id.
e2e_cleanup() {
  local status=$? pid
  for pid in "${E2E_CHILDREN[@]}"; do
    e2e_alive "$pid" || continue
    e2e_driver close "$E2E_TITLE" >/dev/null 2>&1
    e2e_poll 3000 e2e_gone "$pid" || kill -9 "$pid" 2>/dev/null
  done
  for pid in "${E2E_CHILDREN[@]}"; do
    wait "$pid" 2>/dev/null
  done
  if ((status != 0)) && [[ -n ${CLAVITONE_LOG:-} && -s $CLAVITONE_LOG ]]; then
    echo "--- last lines of $CLAVITONE_LOG" >&2
    tail -n 20 "$CLAVITONE_LOG" >&2
  fi
  return "$status"
}

# Call at the top of a test script: fixes the log names and the cleanup trap.
e2e_begin() {
  E2E_TEST=$1
  set -uo pipefail
  e2e_load_display
  [[ -f $E2E_DIST/Clavitone.exe ]] || e2e_fail "$E2E_DIST/Clavitone.exe is missing"
  trap e2e_cleanup EXIT
  trap 'exit 130' INT TERM
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
  set -euo pipefail
  case ${1:-} in
    setup) e2e_setup ;;
    teardown) e2e_teardown ;;
    *)
      echo "usage: bash wine_env.sh setup|teardown" >&2
      exit 2
      ;;
  esac
fi
