#!/usr/bin/env bash
# The status label sizes itself to its text. Whenever the text changes, the
# whole label is drawn again: what shows right after "Detener" (DETENIDO,
# wider than CONTANDO) and after "Continuar" is exactly what a full repaint
# of the window shows.
source "$(dirname "$0")/../lib.sh"
e2e_setup

e2e_start_nocturo /S
e2e_wait_window principal visible 30000
e2e_expect principal lblAtencion text "DETENIDO"

# After a change of text, the label as drawn then and as drawn again by a
# full repaint (the window hidden and shown).
same_after_repaint() {
  local name=$1 rect
  sleep 0.3
  e2e_control_shot principal lblAtencion "$E2E_ART/$name.png"
  rect=$(e2e_get principal lblAtencion rect)
  e2e_click principal btnSalir
  e2e_wait_window principal hidden 5000
  e2e_driver tray 515 >/dev/null
  e2e_wait_window principal visible 5000
  sleep 0.3
  [[ $(e2e_get principal lblAtencion rect) == "$rect" ]] || e2e_fail "the label moved"
  e2e_control_shot principal lblAtencion "$E2E_ART/$name-repainted.png"
  local differ
  differ=$(compare -metric AE "$E2E_ART/$name.png" "$E2E_ART/$name-repainted.png" null: 2>&1)
  e2e_log "$name: $differ pixels differ from a full repaint"
  [[ $differ == 0 ]] || e2e_fail "the label after the change is not drawn as a repaint draws it ($E2E_ART/$name.png)"
}

e2e_type principal txtDentroDe '\b\b\b5'
e2e_click principal btnEmpezar
e2e_expect principal lblAtencion text "CONTANDO"
e2e_click principal btnDetener
e2e_expect principal lblAtencion text "DETENIDO"
same_after_repaint detenido
e2e_click principal btnDetener
e2e_expect principal lblAtencion text "CONTANDO"
same_after_repaint contando
