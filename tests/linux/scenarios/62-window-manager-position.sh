#!/usr/bin/env bash
# The stored position is the frame's top-left corner, title bar included,
# under real reparenting window managers (xfwm4, kwin_x11, each when
# installed): a start puts the frame where the store says; a title-bar drag,
# a hidden window and an outside move are stored as the frame's place; and
# every next start shows the frame where it was left, with no drift.
# lt-timeout: 300
source "$(dirname "$0")/../lib.sh"
managers=()
command -v xfwm4 >/dev/null && managers+=(xfwm4)
command -v kwin_x11 >/dev/null && managers+=(kwin_x11)
((${#managers[@]} > 0)) || lt_skip "no xfwm4 nor kwin_x11 (packages xfwm4, kwin-x11)"
lt_setup
lt_start_atspi
lt_start_watcher

main_window() { lt_window_id "Nocturo v2.5" --onlyvisible; }
# The frame is read as the window manager's frame window, not through the
# extents the program reads.
frame_at() { lt_frame_at lt_wm_frame "$(main_window)" "$1" "$2"; }
conf_holds() { grep -qx "PosX=$1" "$(lt_conf)" && grep -qx "PosY=$2" "$(lt_conf)"; }
stored() { tr '\n' ' ' <"$(lt_conf)"; }
# expect_frame X Y WHAT: the main window's frame comes to X,Y.
expect_frame() {
  lt_poll 20 frame_at "$1" "$2" ||
    lt_fail "$3: the frame is at $(lt_wm_frame "$(main_window)") instead of $1,$2 (store: $(stored))"
}

# drag_title_bar DX DY: drags the main window by its title bar, as a user does.
drag_title_bar() {
  local window x y
  window=$(main_window)
  read -r x y _ < <(lt_wm_frame "$window")
  lt_drag_title_bar "$window" "$1" "$2" lt_wm_frame
  expect_frame $((x + $1)) $((y + $2)) "a title-bar drag by $1,$2 under $wm"
}

for wm in "${managers[@]}"; do
  case $wm in
    xfwm4) xfwm4 --compositor=off >"$LT_TMP/log/$wm.log" 2>&1 & ;;
    kwin_x11) KWIN_COMPOSE=N kwin_x11 >"$LT_TMP/log/$wm.log" 2>&1 & ;;
  esac
  wm_pid=$!
  lt_started $wm_pid
  lt_wait_for 30 "$wm to manage the display" sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'

  mkdir -p "$XDG_CONFIG_HOME/Nocturo"
  printf '[Config]\nPosX=6000\nPosY=3750\n' >"$(lt_conf)"
  lt_start_nocturo /S
  expect_frame 400 250 "a start with 6000/3750 twips under $wm"
  drag_title_bar 100 80
  # Hidden, the window is no longer the manager's: it stands where it was left.
  lt_atspi "$NOCTURO_PID" --press "push button" "Ocultar" || lt_fail "cannot press Ocultar"
  lt_wait_for 10 "Ocultar to hide the main window" lt_window_hidden "Nocturo v2.5"
  lt_quit
  conf_holds 7500 4950 || lt_fail "after a drag to 500,330 under $wm the store holds: $(stored)"
  lt_log "ok: $wm: a title-bar drag to 500,330 stored as 7500/4950, the window hidden"

  lt_start_nocturo /S
  expect_frame 500 330 "the start after the drag under $wm"
  xdotool windowmove "$(main_window)" 300 200
  expect_frame 300 200 "an outside move to 300,200 under $wm"
  lt_quit
  conf_holds 4500 3000 || lt_fail "after a move to 300,200 under $wm the store holds: $(stored)"
  lt_log "ok: $wm: an outside move to 300,200 stored as 4500/3000"

  for run in 1 2; do
    lt_start_nocturo /S
    expect_frame 300 200 "start $run after the move under $wm"
    lt_quit
    conf_holds 4500 3000 || lt_fail "start $run under $wm moved nothing and stored: $(stored)"
  done
  lt_log "ok: $wm: two more starts, the frame at 300,200 each time, nothing drifts"

  kill "$wm_pid"
  lt_wait_for 10 "$wm to end" lt_gone "$wm_pid"
done
