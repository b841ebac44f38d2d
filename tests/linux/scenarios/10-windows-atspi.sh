#!/usr/bin/env bash
# Both windows as a screen reader reads them: the design's Spanish captions
# (accelerator ampersands stripped, as Qt announces them), every control
# named, the stopped state's enabled and selected controls, no menu bar.
# "Ocultar" hides the main window; the About window comes from the tray menu
# (its item chosen through the accessible action),
# holds the system's name and the read-me, and "Cerrar" hides it.
source "$(dirname "$0")/../lib.sh"
lt_setup
lt_start_atspi
lt_start_watcher
lt_start_logind

lt_start_nocturo /S
lt_wait_for 20 "the main window on the accessibility bus" lt_window_shown "Nocturo v2.5"
lt_expect_control "panel" "Desconexión"
lt_expect_control "panel" "Modo"
lt_expect_control "panel" "Información"
lt_expect_control "radio button" "Dentro de" checked enabled
lt_expect_control "radio button" "A las" '!checked' enabled
lt_expect_control "radio button" "Apagar" checked
lt_expect_control "radio button" "Reset" '!checked'
lt_expect_control "radio button" "Log OUT" '!checked'
lt_expect_control "check box" "Forzar" '!checked' enabled
lt_expect_control "push button" "Empezar" enabled focusable
lt_expect_control "push button" "Detener" '!enabled'
lt_expect_control "push button" "Ocultar" enabled
lt_expect_control "label" "DETENIDO"
lt_expect_control "label" "minutos"
lt_expect_control "label" "horas"
lt_expect_control "label" "Nocturo 2.5"
lt_expect_control "label" "Elige los parámetros y pulsa el botón de Empezar."
texts=$(grep -cE '^ *(text|entry|spin button) ' "$LT_TMP/log/atspi.dump")
((texts == 2)) || lt_fail "$texts text boxes in the main window, not 2 (minutes and time)"
lt_atspi "$NOCTURO_PID" --check-names || lt_fail "the main window has unnamed controls"
! grep -qE '^ *menu bar ' "$LT_TMP/log/atspi.dump" || lt_fail "the main window shows a menu bar"
lt_log "ok: the main window's controls, named and in their stopped state"

# A screen reader's write into the "A las" box is the time the count runs to.
lt_atspi "$NOCTURO_PID" --press "radio button" "A las" || lt_fail "cannot choose A las"
target=$(date -d '+3 hours 7 minutes' +%H:%M:%S)
shown=$(lt_atspi "$NOCTURO_PID" --set-text "text" "A las" "$target") || lt_fail "cannot write into A las"
[[ $shown == "$target" ]] || lt_fail "the A las box shows '$shown' after a screen reader wrote $target"
lt_atspi "$NOCTURO_PID" --press "push button" "Empezar" || lt_fail "cannot press Empezar"
# remaining: the count's time left, in seconds, from its label.
remaining() {
  local left
  left=$(lt_dump | sed -nE 's/^ *label "([0-9]{2}):([0-9]{2}):([0-9]{2})".*/\1 \2 \3/p' | head -n 1)
  [[ -n $left ]] && read -r h m s <<<"$left" && echo $((10#$h * 3600 + 10#$m * 60 + 10#$s))
}
counts_to_target() { left=$(remaining) && ((left > 11220 - 30 && left <= 11220)); }
lt_poll 10 counts_to_target ||
  lt_fail "the A las box shows $target but the count has $(remaining || echo '?') s left, not about 11220 s: it runs to another time"
lt_atspi "$NOCTURO_PID" --press "push button" "Detener" || lt_fail "cannot press Detener"
lt_log "ok: a screen reader's write into A las ($target) is what the count runs to"

lt_atspi "$NOCTURO_PID" --press "push button" "Ocultar" || lt_fail "cannot press Ocultar"
lt_wait_for 10 "Ocultar to hide the main window" lt_window_hidden "Nocturo v2.5"
lt_expect_running

lt_wait_for 20 "the tray item" lt_item_registered
# Chosen as a screen reader or voice control does: the item's own action.
lt_tray_menu --press "Acerca de..."
lt_wait_for 10 "the About window" lt_window_shown "Acerca de..."
lt_window_hidden "Nocturo v2.5" || lt_fail "the About window brought the main window with it"
lt_expect_control "push button" "Cerrar" enabled
lt_expect_control "label" "Programa el apagado de tu PC."
lt_expect_control "label" "Nocturo 2.5"
lt_expect_control "text" "Nocturo v2.5 para Windows 9X/NT/2000" showing '!editable'
lt_atspi "$NOCTURO_PID" --check-names || lt_fail "the About window has unnamed controls"
lt_atspi "$NOCTURO_PID" --press "push button" "Cerrar" || lt_fail "cannot press Cerrar"
lt_wait_for 10 "Cerrar to hide the About window" lt_window_hidden "Acerca de..."
lt_expect_running
lt_log "ok: the About window from the tray menu, and Cerrar hides it"
lt_quit
