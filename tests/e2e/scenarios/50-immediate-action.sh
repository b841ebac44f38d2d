#!/usr/bin/env bash
# "/I" carries out the chosen action at once, during start-up: the request
# follows the action and force switches, no tray icon is ever added, and the
# program ends. (Under Wine the request ends the prefix's session, which may
# end the program before its own exit steps; so they are not checked here.)
source "$(dirname "$0")/../lib.sh"
e2e_setup

# switches -> flags of ExitWindowsEx, as the relay trace prints them
check() {
  local flags=$1
  shift
  e2e_start_nocturo --relay "$@"
  e2e_wait_exit 30
  e2e_relay_calls >&2
  e2e_relay_has "Call user32\\.ExitWindowsEx\\($flags,00000000\\)" ||
    e2e_fail "$*: no ExitWindowsEx($flags, 0)"
  [[ $(grep -c 'Call user32\.ExitWindowsEx' "$NOCTURO_RELAY") == 1 ]] ||
    e2e_fail "$*: the action was requested more than once"
  if e2e_relay_has 'Call shell32\.Shell_NotifyIconA\(00000000,'; then
    e2e_fail "$*: the tray icon was added"
  fi
}

check 0000000d /F /MA /I
check 00000002 /MR /I
check 00000004 /ml /f /i
