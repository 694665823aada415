#!/usr/bin/env bash
# Installs what building and testing Clavitone needs on Debian 12.
# Safe to run again: when everything is present it only asks dpkg and returns.
set -euo pipefail

PACKAGES=(
  cmake g++ make
  libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools
  wine wine32:i386 wine64
  xvfb xdotool x11-utils imagemagick fonts-wine
  python3 espeak-ng sox nsis fp-utils
  pulseaudio pulseaudio-utils libpulse-dev
  nlohmann-json3-dev libstb-dev vorbis-tools lame
  clang libclang-rt-dev
)

# Prints the packages of PACKAGES that dpkg does not report as installed.
missing_packages() {
  local -A installed=()
  local name
  # One dpkg-query call for all of them; unknown names only add to stderr.
  while read -r name status; do
    [[ $status == "install ok installed" ]] && installed[$name]=1
  done < <(dpkg-query -W -f='${Package}:${Architecture} ${Status}\n' "${PACKAGES[@]}" 2>/dev/null || true)
  local pkg
  for pkg in "${PACKAGES[@]}"; do
    case $pkg in
      *:*) [[ -n ${installed[$pkg]:-} ]] || echo "$pkg" ;;
      *) [[ -n ${installed[$pkg:amd64]:-}${installed[$pkg:all]:-}${installed[$pkg:$(dpkg --print-architecture)]:-} ]] || echo "$pkg" ;;
    esac
  done
}

need_i386=0
dpkg --print-foreign-architectures | grep -qx i386 || need_i386=1

mapfile -t missing < <(missing_packages)
if ((need_i386 == 0 && ${#missing[@]} == 0)); then
  exit 0
fi

if ((EUID != 0)); then
  echo "deps: missing ${missing[*]:-i386 architecture}; run this script as root" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
if ((need_i386)); then
  dpkg --add-architecture i386
fi
echo "deps: installing ${missing[*]:-(i386 architecture only)}" >&2
apt-get update
apt-get install -y --no-install-recommends "${PACKAGES[@]}"
