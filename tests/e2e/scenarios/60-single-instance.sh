#!/usr/bin/env bash
# A second copy ends at once, whatever its switches, and leaves the running
# copy alone; two copies started at the same moment leave exactly one; a copy
# that may not open the running copy's mutex (that one runs elevated or as
# another user) ends as well.
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

# The first copy runs with other rights: the driver holds the mutex with a
# security that lets others only wait on it, so another CreateMutexW fails
# with ERROR_ACCESS_DENIED.
e2e_tray_exit
NOCTURO_PID=$survivor e2e_wait_exit 30
mutex='Local\Nocturo.SingleInstance'
held=$E2E_ART/hold-mutex.out
"$WINE64" "$(e2e_exe x64 nocturo_driver)" hold-mutex "$mutex" 120000 >"$held" 2>&1 &
holder=$!
E2E_PIDS+=("$holder")
e2e_wait_for 30 "the driver to hold the mutex" grep -qx held "$held"
probe=$(e2e_driver mutex-probe "$mutex")
[[ $probe == "error 5" ]] || e2e_fail "CreateMutexW from another process gives '$probe', not 'error 5'"
e2e_log "ok: CreateMutexW from another process is refused (error 5)"
e2e_start_nocturo --relay /S
e2e_poll 30 e2e_pid_gone "$NOCTURO_PID" ||
  e2e_fail "a copy started while a copy with other rights holds the mutex runs on"
e2e_log "ok: the copy refused the mutex ended"
if e2e_relay_has 'Call shell32\.Shell_NotifyIconA'; then
  e2e_relay_calls >&2
  e2e_fail "the copy refused the mutex touched the tray icon"
fi
[[ $(e2e_driver window principal count) == 0 ]] || e2e_fail "the copy refused the mutex left a main window"
kill "$holder"
wait "$holder" 2>/dev/null || true  # ended by the signal
