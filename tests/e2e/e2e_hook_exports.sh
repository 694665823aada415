#!/usr/bin/env bash
# Both binaries are Windows images of the build's width (pei-i386 for what
# ships), and the hook library offers exactly the two entry points Clavitone
# calls by their decorated names, on either width.
set -euo pipefail
: "${E2E_DIST:?}" "${E2E_OBJDUMP:?}" "${E2E_PE_FORMAT:?}"
fail() { echo "FAIL: $*" >&2; exit 1; }

for binary in Clavitone.exe keybhook.dll; do
  [[ -f $E2E_DIST/$binary ]] || fail "$binary is missing"
  format=$("$E2E_OBJDUMP" -f "$E2E_DIST/$binary" | sed -n 's/.*file format //p')
  [[ $format == "$E2E_PE_FORMAT" ]] || fail "$binary is $format, not $E2E_PE_FORMAT"
  echo "$binary: $format"
done

exports=$("$E2E_OBJDUMP" -p "$E2E_DIST/keybhook.dll" |
  sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/s/^\s*\[ *[0-9]*\] //p' | sort | paste -sd' ')
[[ $exports == "_DeleteHook@4 _InitHook@4" ]] ||
  fail "keybhook.dll exports \"$exports\", expected \"_DeleteHook@4 _InitHook@4\""
echo "keybhook.dll exports: $exports"
