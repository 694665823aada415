#!/usr/bin/env bash
# Builds Clavitone for Windows and runs it under Wine, in a Wine prefix of its
# own under build/ so that nothing outside the checkout is touched. Without a
# DISPLAY it runs on a private Xvfb. Returns when Clavitone ends.
#
# It runs the 32-bit build, the one that ships, where this machine starts
# 32-bit programs, and otherwise the 64-bit build of the same sources under
# 64-bit Wine. CLAVITONE_WINE_BUILD=win32 or win64 forces the choice.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

bash tools/deps.sh
source tools/wine_loader.sh
if ! build=$(wine_choose_build run running); then
  echo "run: Clavitone cannot run under Wine on this machine" >&2
  exit 1
fi
wine_use_build "$build"
cmake --preset "$build"
cmake --build --preset "$build" --parallel "$(nproc)"

export WINEPREFIX="$root/build/$build/wineprefix-run"
export WINEDEBUG=${WINEDEBUG:--all}
# Nothing in Clavitone needs Wine's .NET or HTML engines; skip the offer to download them.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

xvfb_pid=
stop_xvfb() {
  [[ -n $xvfb_pid ]] || return 0
  # Let Wine's own processes leave the display before it goes away.
  timeout 10 wineserver -w || true
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
}

start_xvfb() {
  local display
  for ((display = 99; display < 199; display++)); do
    [[ -e /tmp/.X$display-lock || -e /tmp/.X11-unix/X$display ]] && continue
    Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    xvfb_pid=$!
    local tries
    for ((tries = 0; tries < 100; tries++)); do
      if xdpyinfo -display ":$display" >/dev/null 2>&1; then
        export DISPLAY=":$display"
        return 0
      fi
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
  done
  echo "run: could not start Xvfb" >&2
  exit 1
}

if [[ -z ${DISPLAY:-} ]]; then
  start_xvfb
  trap stop_xvfb EXIT
  echo "run: no DISPLAY, so Clavitone runs on the virtual screen $DISPLAY."
  echo "run: to look at it: DISPLAY=$DISPLAY import -window root clavitone.png"
  # With no window manager on that screen, Wine must place windows itself.
  managed=N
else
  managed=Y
fi

if [[ ! -f $WINEPREFIX/.clavitone-ready ]]; then
  echo "run: preparing the Wine prefix $WINEPREFIX"
  if ! wineboot -i </dev/null >"$root/build/$build/wineboot.log" 2>&1; then
    echo "run: Wine could not prepare its prefix (see build/$build/wineboot.log)" >&2
    exit 1
  fi
  # Without these, caption buttons and "MS Sans Serif" render with stand-in glyphs.
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  for font in marlett.ttf tahoma.ttf tahomabd.ttf ms_sans_serif.ttf; do
    [[ -f /usr/share/wine/fonts/$font ]] && cp -f "/usr/share/wine/fonts/$font" "$WINEPREFIX/drive_c/windows/Fonts/"
  done
  touch "$WINEPREFIX/.clavitone-ready"
fi
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$managed" /f </dev/null >/dev/null 2>&1

# The build's program folder is laid out as the installer lays it out. Like
# the installer, give this prefix's user the built-in schemes and interface
# texts once, pointing into that folder; later runs keep what the user changed.
dist="$root/build/$build/dist"
if ! wine reg query 'HKCU\Software\Clavitone\Settings' /v SchemesQuantity </dev/null >/dev/null 2>&1; then
  echo "run: writing the built-in schemes into the prefix's registry"
  reg_file="$root/build/$build/run-settings.reg"
  python3 installer/make_settings.py reg installer/settings.txt "$reg_file" \
    "$(winepath -w "$dist" </dev/null 2>/dev/null | tr -d '\r')"
  wine reg import "$(winepath -w "$reg_file" </dev/null 2>/dev/null | tr -d '\r')" </dev/null >/dev/null 2>&1
fi

echo "run: starting Clavitone (it lives in the tray; close it from its menu)"
status=0
wine "$dist/Clavitone.exe" || status=$?
exit "$status"
