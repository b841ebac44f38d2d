#!/usr/bin/env bash
# "/A2230 /MA /E /S" opens the main window counting to 22:30 in the at-time
# mode with power off chosen: the display holds the seconds from the start to
# the next 22:30:00 (tomorrow's when that has passed) and counts them down.
source "$(dirname "$0")/../lib.sh"
e2e_setup

# The next 22:30:00 on this clock, which Wine shares.
next_2230() {
  local target
  target=$(date -d "$(date -d "@$1" +%F) 22:30:00" +%s)
  ((target > $1)) || target=$((target + 86400))
  echo "$target"
}

before=$(date +%s)
e2e_start_nocturo /A2230 /MA /E /S
e2e_wait_window principal visible 30000
e2e_expect principal lblAtencion text "CONTANDO"
shown=$(e2e_get principal lblMinRestantes text)
after=$(date +%s)
e2e_expect principal txtALas text "22:30:00"
e2e_expect principal optDesconexion2 check 1
e2e_expect principal optDesconexion1 check 0
e2e_expect principal optModo1 check 1
e2e_expect principal btnEmpezar enabled 0

left=$(e2e_seconds_of "$shown")
# Started between before and after, and read a tick or two later at most.
# (Run across 22:30:00 itself, the count could be either day's.)
if [[ $(next_2230 "$before") == "$(next_2230 "$after")" ]]; then
  low=$(($(next_2230 "$after") - after - 3)) high=$(($(next_2230 "$before") - before + 1))
  e2e_log "display $shown ($left s); 22:30 is between $low and $high s away"
  ((left >= low && left <= high)) || e2e_fail "$left seconds to 22:30"
fi

# And it counts down.
e2e_wait_for 10 "the display to change" eval '[[ $(e2e_get principal lblMinRestantes text) != "$shown" ]]'
now=$(e2e_seconds_of "$(e2e_get principal lblMinRestantes text)")
((now < left)) || e2e_fail "the display went from $left to $now seconds"
e2e_expect_no_crash
