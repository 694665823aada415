#!/usr/bin/env bash
# Both binaries are 32-bit Windows images, and the hook library offers exactly
# the two entry points Clavitone calls by their decorated names.
set -euo pipefail
: "${E2E_DIST:?}" "${E2E_OBJDUMP:?}"
fail() { echo "FAIL: $*" >&2; exit 1; }

for binary in Clavitone.exe keybhook.dll; do
  [[ -f $E2E_DIST/$binary ]] || fail "$binary is missing"
  format=$("$E2E_OBJDUMP" -f "$E2E_DIST/$binary" | sed -n 's/.*file format //p')
  [[ $format == pei-i386 ]] || fail "$binary is $format, not pei-i386"
  echo "$binary: $format"
done

exports=$("$E2E_OBJDUMP" -p "$E2E_DIST/keybhook.dll" |
  sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/s/^\s*\[ *[0-9]*\] //p' | sort | paste -sd' ')
[[ $exports == "_DeleteHook@4 _InitHook@4" ]] ||
  fail "keybhook.dll exports \"$exports\", expected \"_DeleteHook@4 _InitHook@4\""
echo "keybhook.dll exports: $exports"
