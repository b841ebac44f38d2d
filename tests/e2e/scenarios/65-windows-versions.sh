#!/usr/bin/env bash
# The name of the system and the shutdown privilege, with Wine posing as
# older and newer Windows (HKCU\Software\Wine "Version" in this prefix). The
# About window's label (shown from the tray menu) names 98, NT 4.0 and
# 2000 (XP, 5.1 and 64-bit 5.2, counts as 2000), and nothing for 10; the privilege is
# enabled on every NT-family system and not on 98.
source "$(dirname "$0")/../lib.sh"
e2e_setup

ADJUST='Call advapi32\.AdjustTokenPrivileges\('
results=()

# set_version VERSION: what Wine tells programs they run on; reg's own words
# go to the log if it fails.
set_version() {
  "$WINE64" reg add 'HKCU\Software\Wine' /v Version /d "$1" /f >"$E2E_ART/reg.out" 2>&1 ||
    e2e_fail "cannot set the Windows version $1: $(tr -d '\r' <"$E2E_ART/reg.out" | tail -n 3 | tr '\n' ' ')"
}

# check VERSION EXPECTED_NAME PRIVILEGE(1 enabled, 0 not)
check() {
  local version=$1 want_name=$2 want_privilege=$3
  set_version "$version"
  e2e_start_nocturo --relay /S
  e2e_wait_window principal visible 30000
  e2e_tray_menu 2
  e2e_wait_window acercade visible 5000
  local name privilege=0
  name=$(e2e_get acercade LBsistemaoperativo text)
  e2e_relay_has "$ADJUST" && privilege=1
  e2e_tray_exit
  e2e_wait_exit 20
  e2e_relay_calls >&2
  e2e_log "$version: name '$name', AdjustTokenPrivileges called: $privilege"
  results+=("$version:'$name':$privilege")
  [[ $name == "$want_name" ]] || e2e_fail "$version: the About window names '$name', not '$want_name'"
  ((privilege == want_privilege)) || e2e_fail "$version: AdjustTokenPrivileges called: $privilege, expected $want_privilege"
  if ((!want_privilege)) && e2e_relay_has 'Call advapi32\.(OpenProcessToken|LookupPrivilegeValueA)\('; then
    e2e_fail "$version: the token was opened"
  fi
}

check win98 "Windows 98" 0
check nt40 "Windows NT 4.0" 1
check win2k "Windows 2000" 1
check winxp64 "Windows 2000" 1
check winxp "Windows 2000" 1
check win10 "" 1
e2e_log "all: ${results[*]}"
