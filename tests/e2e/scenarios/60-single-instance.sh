#!/usr/bin/env bash
# A second copy ends at once, whatever its switches, and leaves the running
# copy alone; two copies started at the same moment leave exactly one.
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

# Two copies started at the same moment leave exactly one: the running copy
# ends first, then two start together.
e2e_tray_exit
NOCTURO_PID=$first e2e_wait_exit 30
e2e_start_nocturo --relay /S
a=$NOCTURO_PID a_trace=$NOCTURO_RELAY
e2e_start_nocturo --relay /S
b=$NOCTURO_PID b_trace=$NOCTURO_RELAY
one_ended() { e2e_pid_gone "$a" || e2e_pid_gone "$b"; }
e2e_wait_for 60 "one of the two copies to end" one_ended
if e2e_pid_gone "$a"; then
  survivor=$b survivor_trace=$b_trace loser_trace=$a_trace
else
  survivor=$a survivor_trace=$a_trace loser_trace=$b_trace
fi
e2e_log "PID $survivor carries on"
e2e_wait_window principal visible 30000
icon_added() { e2e_relay_has 'Call shell32\.Shell_NotifyIconA\(00000000,' "$1"; }
e2e_wait_for 30 "the survivor's tray icon" icon_added "$survivor_trace"
! icon_added "$loser_trace" || e2e_fail "the copy that ended had added an icon"
e2e_pid_alive "$survivor" || e2e_fail "both copies have ended"
count=$(e2e_driver window principal count)
[[ $count == 1 ]] || e2e_fail "$count main windows after two simultaneous starts"
