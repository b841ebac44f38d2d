#!/usr/bin/env bash
# Typing a time of day into the "A las" box selects that mode; "Empezar"
# counts down to that time.
source "$(dirname "$0")/../lib.sh"
e2e_setup

e2e_start_nocturo /S
e2e_wait_window principal visible 30000
e2e_expect principal optDesconexion1 check 1

# Three minutes from now. Backspaces clear the box from its end back to its
# start, then the digits fill the places; the colons stay where they are.
target_epoch=$(($(date +%s) + 180))
target=$(date -d "@$target_epoch" +%H:%M:%S)
e2e_type principal txtALas "$(printf '\\b%.0s' {1..8})${target//:/}"
e2e_expect principal txtALas text "$target"
e2e_expect principal optDesconexion2 check 1
e2e_expect principal optDesconexion1 check 0

before=$(date +%s)
shown=$(e2e_driver click principal "$(e2e_id btnEmpezar)" ";" get principal "$(e2e_id lblMinRestantes)" text) ||
  e2e_fail "click on Empezar: $shown"
after=$(date +%s)
e2e_log "right after the start: $shown (target $target, clicked between $(date -d "@$before" +%T) and $(date -d "@$after" +%T))"
[[ $shown =~ ^00:0[0-3]:[0-5][0-9]$ ]] || e2e_fail "the display reads '$shown'"
left=$(e2e_seconds_of "$shown")
# The clock may tick between the start and the reading.
((left >= target_epoch - after - 2 && left <= target_epoch - before + 1)) ||
  e2e_fail "$left seconds to $target"
e2e_expect principal lblAtencion text "CONTANDO"

# Stopped and continued, the count is computed again from the clock.
e2e_click principal btnDetener
e2e_expect principal btnDetener text "C&ontinuar"
before=$(date +%s)
e2e_click principal btnDetener
again=$(e2e_seconds_of "$(e2e_get principal lblMinRestantes text)")
after=$(date +%s)
e2e_expect principal lblAtencion text "CONTANDO"
# The display may already have ticked once or twice by the time it is read.
((again >= target_epoch - after - 3 && again <= target_epoch - before + 1)) ||
  e2e_fail "after continuing $again seconds to $target"
