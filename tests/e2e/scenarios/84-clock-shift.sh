#!/usr/bin/env bash
# e2e-timeout: 150
# The system clock moves while the program counts to a time of day: back an
# hour, then forward past the chosen time. The count follows the timer's
# ticks, not the clock: the display keeps pace with real time, nothing
# happens when the clock passes the chosen time, and the power request comes
# when the ticks reach zero, once. Stopping and continuing does read the
# moved clock, which shows that the program sees it.
#
# Wine takes the time of day from the host. libfaketime, preloaded into
# nocturo.exe's Wine process only, shifts it by the offset written in a file,
# read again at every call; the monotonic clock, which drives the timers, is
# left alone.
source "$(dirname "$0")/../lib.sh"

faketime_lib=
for candidate in /usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1 /usr/lib/faketime/libfaketime.so.1; do
  [[ -f $candidate ]] && faketime_lib=$candidate && break
done
if [[ -z $faketime_lib ]]; then
  echo "skipped: libfaketime is not installed (Debian package libfaketime)"
  exit 77
fi
e2e_setup

offset_file=$E2E_WORK/clock-offset
shift_clock() {
  echo "$1" >"$offset_file"
  e2e_log "the program's clock is now $1 from the real one"
}
# fake_hms SECONDS-FROM-NOW HOURS: a time of day on the shifted clock.
fake_hms() { date -d "@$(($(date +%s) + $1 + $2 * 3600))" +%H:%M:%S; }

shift_clock -2h
launched=$(date +%s)
LD_PRELOAD=$faketime_lib FAKETIME_TIMESTAMP_FILE=$offset_file FAKETIME_NO_CACHE=1 \
  FAKETIME_DONT_FAKE_MONOTONIC=1 e2e_start_nocturo --relay /S /MR
e2e_wait_window principal visible 30000

# At load the proposed time is an hour after the program's now: an hour
# before the real time, at some moment between the launch and this reading
# (a loaded machine can take many seconds to show the window).
proposed=$(e2e_get principal txtALas text)
e2e_log "proposed time $proposed; real time $(date +%T)"
ok=0
for ((s = launched - $(date +%s) - 1; s <= 1; s++)); do
  [[ $proposed == "$(fake_hms "$s" -1)" ]] && ok=1 && break
done
((ok)) || e2e_fail "the program does not see the shifted clock: proposed $proposed at $(date +%T)"

# 45 seconds from the program's now.
chosen=$(date +%s)
target=$(fake_hms 45 -2)
e2e_type principal txtALas "$(printf '\\b%.0s' {1..8})${target//:/}"
e2e_expect principal txtALas text "$target"
e2e_expect principal optDesconexion2 check 1
started=$(e2e_now_ms)
shown=$(e2e_driver click principal "$(e2e_id btnEmpezar)" ";" get principal "$(e2e_id lblMinRestantes)" text) ||
  e2e_fail "click on Empezar: $shown"
# The count began somewhere within the click.
lag=$(($(e2e_now_ms) - started))
# What is left is what the typing took away from 45 seconds, give or take one.
total=-1
[[ $shown =~ ^00:00:[0-4][0-9]$ ]] && total=$(e2e_seconds_of "$shown")
((total <= 45 && total >= 45 - ($(date +%s) - chosen) - 1)) ||
  e2e_fail "right after the start the display reads '$shown' (target $target)"
e2e_log "counting $total s to $target"

# follow_ticks N: N readings, each at a new value, every one keeping pace
# with the real time since the start: the ticks counted lie between the time
# before the reading, less the click's and a tick and a half, and the time
# after it (a loaded machine can take seconds over one reading or click).
display_differs() { [[ $(e2e_driver get principal "$(e2e_id lblMinRestantes)" text) != "$1" ]]; }
follow_ticks() {
  local reading before after ticks
  shown=$(e2e_get principal lblMinRestantes text)
  for ((reading = 1; reading <= $1; reading++)); do
    e2e_poll 3 display_differs "$shown" || e2e_fail "the count stopped at $shown"
    before=$(($(e2e_now_ms) - started))
    shown=$(e2e_get principal lblMinRestantes text)
    after=$(($(e2e_now_ms) - started))
    [[ $shown =~ ^00:00:[0-5][0-9]$ ]] || e2e_fail "the display reads '$shown'"
    ticks=$((total - $(e2e_seconds_of "$shown")))
    e2e_log "display $shown read between ${before} and ${after} ms after the start"
    ((ticks * 1000 >= before - lag - 1500 && ticks * 1000 <= after + 500)) ||
      e2e_fail "the count left the real time: $shown read between ${before} and ${after} ms"
  done
}

shift_clock -3h # back an hour
follow_ticks 3
shift_clock -1h # forward two hours: the chosen time has passed on this clock
follow_ticks 3
e2e_pid_alive "$NOCTURO_PID" || e2e_fail "the program ended when the clock passed the chosen time"
e2e_relay_has 'Call user32\.ExitWindowsEx' && e2e_fail "the program acted when the clock passed the chosen time"

# Stopped and continued, the at-time count is computed again, from the moved
# clock: the chosen time is now tomorrow's, 23 hours and the seconds that
# were left away.
e2e_click principal btnDetener
e2e_expect principal btnDetener text "C&ontinuar"
e2e_click principal btnDetener
e2e_expect_like principal lblMinRestantes text "23:00:??"
# Back to the clock the count began with; continued again, it is seconds.
shift_clock -2h
e2e_click principal btnDetener
e2e_expect principal btnDetener text "C&ontinuar"
e2e_click principal btnDetener
e2e_expect_like principal lblMinRestantes text "00:00:??"
e2e_log "counting again from $(e2e_get principal lblMinRestantes text) to $target"

e2e_expect_exit 40 any
e2e_relay_calls >&2
e2e_expect_no_crash
[[ $(e2e_relay_count 'Call user32\.ExitWindowsEx\(') == 1 ]] || e2e_fail "not exactly one power request"
e2e_relay_has 'Call user32\.ExitWindowsEx\(00000002,00000000\)' || e2e_fail "no ExitWindowsEx(2, 0)"
