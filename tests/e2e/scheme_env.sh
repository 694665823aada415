# shellcheck shell=bash
# Helpers of the scheme tests: a store prepared as an installed program has
# it, and its values read back the way the program left them.
source "$(dirname "${BASH_SOURCE[0]}")/wine_env.sh"

SCHEME_KEY='HKCU\Software\Clavitone'

scheme_reg_escape() {
  local text=${1//\\/\\\\}
  printf '%s' "${text//\"/\\\"}"
}

# Replaces the whole store with the given values of two sections:
#   scheme_store Settings key value ... -- Language key value ...
scheme_store() {
  local file="$E2E_LOGS/$E2E_TEST-store.reg" section=
  {
    printf 'REGEDIT4\r\n'
    while (($#)); do
      case $1 in
        Settings | Language)
          section=$1
          printf '\r\n[HKEY_CURRENT_USER\\Software\\Clavitone\\%s]\r\n' "$section"
          shift
          ;;
        --) shift ;;
        *)
          printf '"%s"="%s"\r\n' "$(scheme_reg_escape "$1")" "$(scheme_reg_escape "$2")"
          shift 2
          ;;
      esac
    done
  } >"$file"
  wine reg delete "$SCHEME_KEY" /f </dev/null >/dev/null 2>&1
  wine reg import "$(winepath -w "$file" 2>/dev/null)" </dev/null >/dev/null 2>&1 ||
    e2e_fail "could not import the prepared store"
}

# Prints a value of the "Settings" section; fails when it is absent.
scheme_value() {
  local out
  out=$(wine reg query "$SCHEME_KEY\\Settings" /v "$1" </dev/null 2>/dev/null | tr -d '\r') || return 1
  awk -F'REG_SZ' '/REG_SZ/ { sub(/^[ \t]+/, "", $2); print $2; found = 1 } END { exit !found }' <<<"$out"
}

scheme_value_is() {
  [[ $(scheme_value "$1") == "$2" ]]
}

scheme_expect_value() {
  local key=$1 expected=$2
  e2e_poll 5000 scheme_value_is "$key" "$expected" ||
    e2e_fail "\"$key\": expected \"$expected\", got \"$(scheme_value "$key")\""
  e2e_note "$key = $expected"
}

scheme_expect_absent() {
  scheme_value "$1" >/dev/null && e2e_fail "\"$1\" is still stored"
  e2e_note "$1 absent"
}

# The scheme list's entries, one a line, "*" before the current one.
scheme_list_is() {
  [[ $(e2e_driver list "$E2E_TITLE" 2>/dev/null) == "$1" ]]
}

scheme_expect_list() {
  e2e_poll 5000 scheme_list_is "$1" ||
    e2e_fail "scheme list: expected $(tr '\n' ' ' <<<"$1"), got $(e2e_driver list "$E2E_TITLE" | tr '\n' ' ')"
  e2e_note "scheme list: $(tr '\n' ' ' <<<"$1")"
}

scheme_window_shown() {
  [[ $(e2e_driver visible "$1" 2>/dev/null) == "1 "* ]]
}

scheme_window_enabled() {
  [[ $(e2e_driver visible "$1" 2>/dev/null) == *" enabled" ]]
}

scheme_window_hidden() {
  [[ $(e2e_driver visible "$1" 2>/dev/null) == "0 "* ]]
}

# Starts Clavitone on the prepared store and waits until start-up has run.
scheme_start() {
  e2e_start_clavitone
  e2e_wait_window || e2e_fail "Clavitone's window did not appear"
  e2e_poll 5000 scheme_list_is "$1" || e2e_fail "the scheme list did not fill"
  e2e_driver show "$E2E_TITLE" || e2e_fail "could not show the preferences window"
}

# Presses a key and waits until FILE (a name in any folder) has sounded COUNT times.
scheme_expect_sound() {
  local vk=$1 file=$2 count=$3
  e2e_driver keys "$vk" || e2e_fail "could not send key $vk"
  e2e_wait_sounds "$file" "$count" || e2e_fail "key $vk did not play $file"
  e2e_note "key $vk played $file"
}

scheme_window_gone() {
  [[ $(e2e_driver count-windows "$1" 2>/dev/null) == 0 ]]
}

# Like e2e_begin; the prepared store goes again at the end, so that the
# other tests find the empty store they expect.
scheme_begin() {
  e2e_begin "$1"
  trap scheme_cleanup EXIT
}

scheme_cleanup() {
  local status=$?
  (exit "$status")
  e2e_cleanup
  wine reg delete "$SCHEME_KEY" /f </dev/null >/dev/null 2>&1
  return "$status"
}
