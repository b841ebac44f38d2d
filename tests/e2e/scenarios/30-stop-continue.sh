#!/usr/bin/env bash
# "Detener" freezes the count and offers "Continuar"; continuing resumes from
# the value shown.
source "$(dirname "$0")/../lib.sh"
e2e_setup

e2e_start_nocturo /S
e2e_wait_window principal visible 30000
e2e_type principal txtDentroDe '\b\b\b2'
e2e_click principal btnEmpezar
e2e_expect principal lblAtencion text "CONTANDO"
e2e_expect principal lblMinRestantes text "00:01:58" 6000

e2e_click principal btnDetener
e2e_expect principal lblAtencion text "DETENIDO"
e2e_expect principal btnDetener text "C&ontinuar"
e2e_expect principal btnDetener enabled 1
e2e_expect principal btnEmpezar enabled 1
e2e_expect principal txtDentroDe usable 1
frozen=$(e2e_get principal lblMinRestantes text)
[[ $frozen =~ ^00:01:([0-9]{2})$ ]] || e2e_fail "stopped display reads '$frozen'"
seconds=$((10#${BASH_REMATCH[1]}))
e2e_expect_steady principal lblMinRestantes text "$frozen" 2500

e2e_click principal btnDetener
e2e_expect principal lblAtencion text "CONTANDO"
e2e_expect principal btnDetener text "&Detener"
e2e_expect principal btnEmpezar enabled 0
# It goes on from the frozen value, one second per tick.
e2e_expect principal lblMinRestantes text "$(printf '00:01:%02d' $((seconds - 1)))" 3000
e2e_expect principal lblMinRestantes text "$(printf '00:01:%02d' $((seconds - 2)))" 3000
