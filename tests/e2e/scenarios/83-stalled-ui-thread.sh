#!/usr/bin/env bash
# e2e-timeout: 120
# The user-interface thread stalls for two seconds while counting (the whole
# process is stopped with SIGSTOP, then continued). The count goes on from
# where it was: the timer does not replay the missed ticks, so afterwards
# the display is behind the wall clock by about the stall, and the power
# request comes that much later, once.
source "$(dirname "$0")/../lib.sh"
e2e_setup

stall=2
total=12 # seconds in 0.2 minutes (the box takes three characters)
e2e_start_nocturo --relay /S /MR
e2e_wait_window principal visible 30000
e2e_type principal txtDentroDe '\b\b\b0.2'
e2e_expect principal txtDentroDe text "0.2"

# Read the display in the same driver call as the click.
started=$(e2e_now_ms)
shown=$(e2e_driver click principal "$(e2e_id btnEmpezar)" ";" get principal "$(e2e_id lblMinRestantes)" text) ||
  e2e_fail "click on Empezar: $shown"
[[ $shown == "00:00:$total" ]] || e2e_fail "right after the start the display reads '$shown'"
e2e_expect principal lblMinRestantes text "00:00:$((total - 2))" 5000

e2e_log "stopping nocturo.exe (PID $NOCTURO_PID) for ${stall}s"
kill -STOP "$NOCTURO_PID" || e2e_fail "cannot stop the program"
stopped=$(e2e_now_ms)
sleep "$stall"
kill -CONT "$NOCTURO_PID"
e2e_log "continued after $(($(e2e_now_ms) - stopped)) ms"

# ticks = total - shown; without the stall they would follow the elapsed time.
# Three readings, each at a new value: behind by at least one second and by
# no more than the stall and two seconds and a half (a tick, and the time a
# reading takes on a busy machine).
display_differs() { [[ $(e2e_driver get principal "$(e2e_id lblMinRestantes)" text) != "$1" ]]; }
shown=
for reading in 1 2 3; do
  [[ -z $shown ]] || e2e_poll 3 display_differs "$shown" || e2e_fail "the count did not resume ($shown)"
  shown=$(e2e_get principal lblMinRestantes text)
  elapsed=$(($(e2e_now_ms) - started))
  [[ $shown =~ ^00:00:[01][0-9]$ ]] || e2e_fail "the display reads '$shown'"
  ticks=$((total - $(e2e_seconds_of "$shown")))
  behind=$((elapsed - ticks * 1000))
  e2e_log "reading $reading: $shown ${elapsed} ms after the start, ${behind} ms behind the clock"
  ((behind >= 1000)) || e2e_fail "the missed ticks were made up: $shown after ${elapsed} ms"
  ((behind <= stall * 1000 + 2500)) || e2e_fail "the count fell further behind than the stall: $shown after ${elapsed} ms"
done

e2e_expect_exit 30 any
took=$(($(e2e_now_ms) - started))
e2e_relay_calls >&2
e2e_expect_no_crash
e2e_log "the program ended ${took} ms after the start of a ${total}-second count"
((took >= total * 1000 + 1000)) || e2e_fail "it acted after ${took} ms, as if the stalled ticks had counted"
[[ $(e2e_relay_count 'Call user32\.ExitWindowsEx\(') == 1 ]] || e2e_fail "not exactly one power request"
e2e_relay_has 'Call user32\.ExitWindowsEx\(00000002,00000000\)' || e2e_fail "no ExitWindowsEx(2, 0)"
