#!/usr/bin/env bash
# Started with /S, the main window opens stopped, with its design texts and
# initial choices.
source "$(dirname "$0")/../lib.sh"
e2e_setup

e2e_start_nocturo /S
e2e_wait_window principal visible 30000

caption=$(e2e_driver window principal caption)
[[ $caption == "Nocturo v2.5" ]] || e2e_fail "caption is '$caption'"

e2e_expect principal lblAtencion text "DETENIDO"
e2e_expect principal lblMinRestantes text ""
e2e_expect principal txtDentroDe text "60"
e2e_expect principal optDesconexion1 check 1
e2e_expect principal optDesconexion2 check 0
e2e_expect principal optModo1 check 1
e2e_expect principal optModo2 check 0
e2e_expect principal optModo3 check 0
e2e_expect principal chkForzado check 0
e2e_expect principal btnEmpezar enabled 1
e2e_expect principal btnDetener enabled 0
e2e_expect principal btnEmpezar text "&Empezar"
e2e_expect principal btnDetener text "&Detener"
e2e_expect principal btnSalir text "&Ocultar"
e2e_expect principal optDesconexion1 text "Den&tro de"
e2e_expect principal optDesconexion2 text "&A las"
e2e_expect principal optModo1 text "A&pagar"
e2e_expect principal optModo2 text "&Reset"
e2e_expect principal optModo3 text "&Log OUT"
e2e_expect principal chkForzado text "Forzar"

# The proposed time is the present time plus one hour, as hh:mm:ss.
proposed=$(e2e_get principal txtALas text)
[[ $proposed =~ ^([0-9]{2}):[0-9]{2}:[0-9]{2}$ ]] || e2e_fail "txtALas reads '$proposed'"
hour=$((10#${BASH_REMATCH[1]}))
now_hour=$((10#$(date +%H)))
if ((hour != (now_hour + 1) % 24 && hour != (now_hour + 2) % 24)); then
  e2e_fail "proposed time $proposed is not about an hour from now ($(date +%T))"
fi

e2e_window_shot principal "$E2E_ART/main-window.png"
e2e_save_doc_image "$E2E_ART/main-window.png" main-window.png
