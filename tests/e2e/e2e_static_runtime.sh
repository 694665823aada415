#!/usr/bin/env bash
# Clavitone.exe, its decoding helper and keybhook.dll run from a bare folder:
# they must not import the compiler's runtime DLLs, which a user's machine
# does not have.
set -euo pipefail
: "${E2E_DIST:?}" "${E2E_OBJDUMP:?}"

status=0
for binary in Clavitone.exe ClavitoneDecoder.exe keybhook.dll; do
  imports=$("$E2E_OBJDUMP" -p "$E2E_DIST/$binary" | sed -n 's/^\s*DLL Name: //p' | sort -u | paste -sd' ')
  echo "$binary imports: $imports"
  if grep -qiE 'libgcc|libstdc\+\+|libwinpthread|mingw' <<<"$imports"; then
    echo "FAIL: $binary needs a MinGW runtime DLL" >&2
    status=1
  fi
done
exit "$status"
