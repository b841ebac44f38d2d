#!/usr/bin/env bash
# A second copy ends at once, whatever its switches, and leaves the running
# copy alone.
source "$(dirname "$0")/../lib.sh"
e2e_setup

e2e_start_nocturo /S
first=$NOCTURO_PID
e2e_wait_window principal visible 30000
e2e_expect principal txtDentroDe text "60"

e2e_start_nocturo --relay /D005 /E /S /I
e2e_wait_exit 30
if e2e_relay_has 'Call (user32\.ExitWindowsEx|shell32\.Shell_NotifyIconA)'; then
  e2e_relay_calls >&2
  e2e_fail "the second copy acted"
fi
e2e_pid_alive "$first" || e2e_fail "the first copy has ended"
count=$(e2e_driver window principal count)
[[ $count == 1 ]] || e2e_fail "$count main windows"
e2e_expect principal txtDentroDe text "60"
e2e_expect principal lblAtencion text "DETENIDO"
