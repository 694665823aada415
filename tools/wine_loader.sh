# shellcheck shell=bash
# Which Windows build this machine can run under Wine, and the Wine commands
# for it. Sourced by the run and test scripts and by the end-to-end harness.
#
# Some kernels run no 32-bit Linux programs at all; Debian's 32-bit Wine
# loader then fails with "Exec format error". There the x86_64 build of the
# same sources runs under the 64-bit loader in a win64 prefix instead.
# CLAVITONE_WINE_BUILD=win32 or win64 forces the choice.

WINE_LOADER_32=/usr/lib/wine/wine
WINE_LOADER_64=/usr/lib/wine/wine64

# True when the 32-bit loader starts on this machine.
wine_runs_32bit() {
  "$WINE_LOADER_32" --version </dev/null >/dev/null 2>&1
}

wine_runs_64bit() {
  "$WINE_LOADER_64" --version </dev/null >/dev/null 2>&1
}

# Prints win32 or win64: the build to run under Wine here. Says why once, on
# stderr, as "WHO: ... DOING the ... build". Returns 1 when no Wine loader
# runs at all.
wine_choose_build() {
  local who=$1 doing=$2
  case ${CLAVITONE_WINE_BUILD:-} in
    win32 | win64)
      echo "$who: CLAVITONE_WINE_BUILD=$CLAVITONE_WINE_BUILD, so $doing the $CLAVITONE_WINE_BUILD build" >&2
      if [[ $CLAVITONE_WINE_BUILD == win32 ]] && ! wine_runs_32bit; then
        echo "$who: warning: this machine runs no 32-bit programs; the 32-bit build cannot start here" >&2
      fi
      echo "$CLAVITONE_WINE_BUILD"
      return 0
      ;;
    "") ;;
    *)
      echo "$who: CLAVITONE_WINE_BUILD must be win32 or win64, not '$CLAVITONE_WINE_BUILD'" >&2
      return 1
      ;;
  esac
  if wine_runs_32bit; then
    echo "$who: this machine runs 32-bit programs; $doing the i686 build under 32-bit Wine" >&2
    echo win32
  elif wine_runs_64bit; then
    echo "$who: this machine runs no 32-bit programs; $doing the x86_64 build under wine64" >&2
    echo win64
  else
    echo "$who: neither $WINE_LOADER_32 nor $WINE_LOADER_64 starts here; install wine, wine32:i386 and wine64 (bash tools/deps.sh)" >&2
    return 1
  fi
}

# Sets up the Wine commands for BUILD (win32 or win64): the loader is called
# directly, because Debian's wine wrapper takes the 32-bit loader whenever it
# is installed, even where it cannot run.
wine_use_build() {
  case $1 in
    win32) WINE_LOADER=$WINE_LOADER_32 ;;
    win64) WINE_LOADER=$WINE_LOADER_64 ;;
    *)
      echo "wine_use_build: unknown build '$1'" >&2
      return 1
      ;;
  esac
  export WINEARCH=$1 WINELOADER=$WINE_LOADER
}

wine() { "$WINE_LOADER" "$@"; }
wineboot() { wine wineboot.exe "$@"; }
winepath() { wine winepath.exe "$@"; }
