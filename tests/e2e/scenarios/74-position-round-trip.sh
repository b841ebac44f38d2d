#!/usr/bin/env bash
# The main window's position survives a restart: dragged by its title bar
# with the mouse, then "Salir" in the tray menu stores its left and top edges
# in twips (15 per pixel at 96 DPI) under HKCU\Software\Nocturo\Config, and
# the next "/S" opens it there. The same with a left edge past the screen's
# (a negative value).
source "$(dirname "$0")/../lib.sh"
e2e_setup

CONFIG='HKCU\Software\Nocturo\Config'

window_at() { # -> "left top" in pixels
  local l t
  IFS=, read -r l t _ _ <<<"$(e2e_driver window principal rect)"
  echo "$l $t"
}
exit_through_menu() {
  e2e_tray_exit
  e2e_wait_exit 20
}
expect_stored() { # left top (pixels)
  local settings posx posy
  settings=$(e2e_reg_query "$CONFIG")
  posx=$(awk '$1 == "PosX" { print $3 }' <<<"$settings")
  posy=$(awk '$1 == "PosY" { print $3 }' <<<"$settings")
  e2e_log "stored PosX=$posx PosY=$posy"
  [[ $posx == $(($1 * 15)) && $posy == $(($2 * 15)) ]] ||
    e2e_fail "stored PosX=$posx PosY=$posy for a window at ($1, $2) pixels"
}
start_shown() {
  e2e_start_nocturo /S
  e2e_wait_window principal visible 30000
}

start_shown
read -r l t < <(window_at)
e2e_log "the window opens at ($l, $t)"
# Drag the title bar 250 pixels left and 120 up, in steps, as a hand would.
xdotool mousemove $((l + 100)) $((t + 8)) mousedown 1 sleep 0.2 \
  mousemove $((l + 40)) $((t - 22)) sleep 0.2 \
  mousemove $((l - 90)) $((t - 82)) sleep 0.2 \
  mousemove $((l - 150)) $((t - 112)) sleep 0.2 mouseup 1
want_l=$((l - 250)) want_t=$((t - 120))
moved() { [[ $(window_at) == "$want_l $want_t" ]]; }
e2e_poll 5 moved || e2e_fail "dragged to ($(window_at)) instead of ($want_l, $want_t)"
e2e_log "ok: dragged to ($want_l, $want_t)"
exit_through_menu
expect_stored "$want_l" "$want_t"

start_shown
[[ $(window_at) == "$want_l $want_t" ]] || e2e_fail "the window opens at ($(window_at)) instead of ($want_l, $want_t)"
e2e_log "ok: the window opens again at ($want_l, $want_t)"

# Partly off the screen to the left.
e2e_driver move principal -8 40 >/dev/null || e2e_fail "cannot move the window"
want_l=-8 want_t=40
e2e_poll 5 moved || e2e_fail "moved to ($(window_at)) instead of (-8, 40)"
exit_through_menu
expect_stored -8 40
start_shown
[[ $(window_at) == "-8 40" ]] || e2e_fail "the window opens at ($(window_at)) instead of (-8, 40)"
e2e_log "ok: the window opens again at (-8, 40)"
exit_through_menu
