#!/usr/bin/env bash
# Two minutes typed into the box and "Empezar": the count starts at 00:02:00
# and goes down once a second; the inputs are locked while it counts.
source "$(dirname "$0")/../lib.sh"
e2e_setup

e2e_start_nocturo /S
e2e_wait_window principal visible 30000
e2e_expect principal lblAtencion text "DETENIDO"

e2e_type principal txtDentroDe '\b\b\b2'
e2e_expect principal txtDentroDe text "2"
e2e_expect principal optDesconexion1 check 1

# Read the display in the same driver call as the click: the first tick comes
# a second later.
started=$(e2e_now_ms)
shown=$(e2e_driver click principal "$(e2e_id btnEmpezar)" ";" get principal "$(e2e_id lblMinRestantes)" text) ||
  e2e_fail "click on Empezar: $shown"
[[ $shown == "00:02:00" ]] || e2e_fail "right after the start the display reads '$shown'"

e2e_expect principal lblAtencion text "CONTANDO"
e2e_expect principal btnEmpezar enabled 0
e2e_expect principal btnDetener enabled 1
e2e_expect principal btnDetener text "&Detener"
# The schedule and action frames are disabled while counting.
e2e_expect principal txtDentroDe usable 0
e2e_expect principal optModo1 usable 0
e2e_expect principal chkForzado usable 0

# Each displayed value v must appear 120 - v seconds after the start (give or
# take the driver's own delay): the count follows real time.
deadline=$((SECONDS + 15))
while :; do
  shown=$(e2e_get principal lblMinRestantes text)
  elapsed=$(($(e2e_now_ms) - started))
  [[ $shown =~ ^00:0[12]:[0-5][0-9]$ ]] || e2e_fail "the display reads '$shown'"
  left=$(e2e_seconds_of "$shown")
  e2e_log "display $shown ${elapsed} ms after the start"
  ticks=$((120 - left))
  if ((elapsed < ticks * 1000 - 300 || elapsed > (ticks + 1) * 1000 + 1500)); then
    e2e_fail "$shown shown ${elapsed} ms after the start"
  fi
  ((left <= 116)) && break
  ((SECONDS < deadline)) || e2e_fail "the count did not go down to 00:01:56"
  sleep 0.5
done

e2e_window_shot principal "$E2E_ART/main-window-counting.png"
e2e_save_doc_image "$E2E_ART/main-window-counting.png" main-window-counting.png
