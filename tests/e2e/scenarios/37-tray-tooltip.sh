#!/usr/bin/env bash
# The icon's tooltip as a user reads it: the real mouse rests on the icon in
# the taskbar's notification area, and the tooltip window that the taskbar
# shows reads "Nocturo - hh:mm:ss" while counting and "Nocturo" once the
# count is stopped. Each refresh hands the tooltip the text the display had
# until then, so the tooltip follows the display one second behind.
source "$(dirname "$0")/../lib.sh"
e2e_setup

e2e_start_nocturo /D002 /E /S
e2e_wait_window principal visible 30000
e2e_expect principal lblAtencion text "CONTANDO"

read -r x y < <(e2e_tray_icon_centre)
e2e_log "the icon is drawn around ($x, $y)"

# Rest the pointer on the icon; should the tooltip not come (or go away),
# nudge the pointer by a pixel, as a user would.
hover_until() {
  local glob=$1 tries
  for tries in 1 2 3 4; do
    xdotool mousemove "$x" "$((y + tries % 2))"
    e2e_driver wait-tooltip "$glob" 3000 && return 0
  done
  return 1
}

hover_until 'Nocturo - 00:0?:??' >/dev/null ||
  e2e_fail "no tooltip 'Nocturo - hh:mm:ss' (visible tooltips: $(e2e_driver tooltip | tr '\n' '|'))"
e2e_screenshot "$E2E_ART/tooltip-counting.png"

# The tooltip and the display read in one driver call: the tooltip shows the
# second before the display's (a tick may fall between the two reads, so a
# few tries).
agreed=0
for _ in 1 2 3 4 5 6; do
  both=$(e2e_driver tooltip ";" get principal "$(e2e_id lblMinRestantes)" text)
  tip=$(head -n 1 <<<"$both") shown=$(tail -n 1 <<<"$both")
  e2e_log "tooltip '$tip', display '$shown'"
  before=$(($(e2e_seconds_of "$shown") + 1))
  if [[ $tip == "Nocturo - $(printf '%02d:%02d:%02d' $((before / 3600)) $((before / 60 % 60)) $((before % 60)))" ]]; then
    agreed=$((agreed + 1))
    ((agreed == 2)) && break
  fi
  sleep 0.7
done
((agreed == 2)) || e2e_fail "the tooltip does not follow the display"

e2e_click principal btnDetener
e2e_expect principal lblAtencion text "DETENIDO"
hover_until 'Nocturo' >/dev/null ||
  e2e_fail "no tooltip 'Nocturo' once stopped (visible tooltips: $(e2e_driver tooltip | tr '\n' '|'))"
e2e_log "ok: the tooltip reads 'Nocturo' once stopped"
e2e_screenshot "$E2E_ART/tooltip-stopped.png"
