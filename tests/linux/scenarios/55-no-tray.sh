#!/usr/bin/env bash
# Reaching the program without a tray (GNOME without an AppIndicator
# extension). With a tray, a second start without /S stays quiet and one with
# /S brings the main window forward. Once the tray is gone, a second start
# brings it forward at once; after the grace period the window stands in for
# the icon: an ordinary window that "Ocultar" only minimises, whose right
# click offers the tray menu, so that its "Acerca de..." shows the About
# window and its "Salir" ends the program. Started where there is no tray at
# all, the window shows by itself; a tray that comes at last takes over again,
# and so does a panel's host that comes back to the watcher it left (a panel
# restarting while the session's watcher stays). The count goes on throughout.
# lt-timeout: 180
source "$(dirname "$0")/../lib.sh"
lt_setup
lt_start_atspi
lt_start_logind
lt_start_watcher

main="Nocturo v2.5"
second_start() {
  local running=$NOCTURO_PID
  lt_start_nocturo "$@"
  lt_wait_exit 10
  ((LT_EXIT == 0)) || lt_fail "the second copy ended with status $LT_EXIT"
  NOCTURO_PID=$running
  lt_expect_running
}
hide_main() {
  lt_atspi "$NOCTURO_PID" --press "push button" "Ocultar" || lt_fail "cannot press Ocultar"
}
# Qt lists NORMAL after a tool window's UTILITY, for window managers that
# know no utility windows: the first type is the one that counts.
first_type_is() { lt_window_type "$main" | grep -qE "= _NET_WM_WINDOW_TYPE_$1(,|\$)"; }
stands_in() { first_type_is NORMAL; }
right_click_main() { lt_click_window "$main" 3; }

lt_start_nocturo /D090 /E
lt_wait_for 20 "the tray item" lt_item_registered
lt_wait_for 10 "the program on the accessibility bus" lt_window_hidden "$main"
second_start
lt_poll 3 lt_window_shown "$main" && lt_fail "a second start without /S showed the window while the icon is there"
second_start /S
lt_wait_for 10 "a second start with /S to show the window" lt_window_shown "$main"
lt_expect_control label CONTANDO
lt_log "ok: with a tray, a second start shows the window only with /S"
hide_main
lt_wait_for 10 "Ocultar to hide the window" lt_window_hidden "$main"

lt_stop_watcher
second_start
lt_wait_for 5 "a second start without an icon to show the window" lt_window_shown "$main"
lt_log "ok: the tray gone, a second start shows the window at once"
hide_main
lt_wait_for 10 "Ocultar to hide the window within the grace period" lt_window_hidden "$main"
lt_wait_for 20 "the window to stand in for the icon after the grace period" lt_window_shown "$main"
lt_wait_for 5 "an ordinary window with a taskbar entry" stands_in
lt_expect_control label CONTANDO
LT_MENU_OPENER=right_click_main
lt_tray_menu --click "Acerca de..."
(($(grep -c 'menu item' <<<"$LT_POPUP") == 3)) || lt_fail "the window's menu is not the tray menu: $LT_POPUP"
lt_wait_for 10 "the window's Acerca de... to show the About window" lt_window_shown "Acerca de..."
lt_atspi "$NOCTURO_PID" --press "push button" "Cerrar" || lt_fail "cannot press Cerrar"
lt_wait_for 10 "Cerrar to hide the About window" lt_window_hidden "Acerca de..."
lt_log "ok: the stand-in's right click offers the tray menu; its Acerca de... shows the About window"
hide_main
lt_wait_for 10 "Ocultar to take the window off the screen" eval '! lt_window_shown "$main"'
lt_window_mapped "$main" || lt_fail "Ocultar hid the window with no tray to bring it back: $(xdotool search --pid "$NOCTURO_PID" --name . | xargs -rn1 xwininfo -id | grep -E 'xwininfo|Map State')"
lt_log "ok: after the grace period the window stands in; Ocultar leaves it reachable"

second_start
lt_wait_for 5 "a second start to bring the minimised window back" lt_window_shown "$main"
lt_clear_logind_calls
lt_quit
lt_expect_logind_calls ""
unset LT_MENU_OPENER
lt_log "ok: the stand-in's Salir ends the program"

lt_start_nocturo /D090 /E
lt_wait_for 25 "the window, with no tray at start" lt_window_shown "$main"
lt_wait_for 5 "an ordinary window with a taskbar entry" stands_in
lt_expect_control label CONTANDO
lt_log "ok: started with no tray, the window shows by itself"
lt_start_watcher
lt_wait_for 15 "the item with the tray that came at last" lt_item_registered
lt_wait_for 5 "the window to be a tool window again" first_type_is UTILITY
lt_expect_control label CONTANDO
lt_log "ok: a tray that comes at last takes over: $(lt_sni tooltip)"

lt_sni host-gone || lt_fail "the watcher's host cannot be taken away"
lt_wait_for 25 "the window to stand in while the watcher has no host" stands_in
lt_sni host-back || lt_fail "the watcher's host cannot come back"
lt_wait_for 5 "the host's return to take over from the window at once" first_type_is UTILITY
lt_expect_running
lt_log "ok: a host back with the watcher that stayed takes over from the window"
lt_quit
