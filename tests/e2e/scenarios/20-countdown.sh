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

e2e_expect principal lblMinRestantes text "00:01:57" 10000
elapsed=$(($(e2e_now_ms) - started))
e2e_log "00:01:57 shown ${elapsed} ms after the start"
((elapsed >= 2000 && elapsed <= 7000)) || e2e_fail "three ticks took ${elapsed} ms"
e2e_expect_like principal lblMinRestantes text "00:01:5?"

e2e_window_shot principal "$E2E_ART/main-window-counting.png"
e2e_save_doc_image "$E2E_ART/main-window-counting.png" main-window-counting.png
