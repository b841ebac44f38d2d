#!/usr/bin/env bash
# The X11 system tray, for desktops with no StatusNotifier host: the icon
# docks, once, in an XEmbed tray manager; a left click on it shows the main
# window; after the manager restarts the icon docks again; a right click on
# it opens the tray menu, once, whose "Salir" ends the program without a
# power request. A manager that starts after the program gets the icon as well;
# while none runs for good, the main window stands in for it.
source "$(dirname "$0")/../lib.sh"
lt_setup
lt_start_atspi
lt_start_logind
lt_start_xembed_tray

lt_start_nocturo /D090 /E
lt_wait_for 20 "the icon to dock in the X11 tray" lt_icon_docked
lt_has_owner session org.kde.StatusNotifierWatcher && lt_fail "a StatusNotifierWatcher is on the bus"
lt_wait_for 10 "the program on the accessibility bus" lt_window_hidden "Nocturo v2.5"
(($(lt_docked_count) == 1)) || lt_fail "$(lt_docked_count) icons docked: $(cat "$LT_XTRAY_LOG")"
lt_log "ok: $(grep '^docked ' "$LT_XTRAY_LOG")"

lt_click_docked 1 || lt_fail "nothing docked to click"
lt_wait_for 10 "the left click to show the main window" lt_window_shown "Nocturo v2.5"
lt_expect_control "label" "CONTANDO"
lt_atspi "$NOCTURO_PID" --press "push button" "Ocultar" || lt_fail "cannot press Ocultar"
lt_wait_for 10 "Ocultar to hide the main window" lt_window_hidden "Nocturo v2.5"
lt_log "ok: a left click on the docked icon shows the main window"

lt_stop_xembed_tray
lt_expect_running
lt_start_xembed_tray
lt_wait_for 15 "the icon to dock with the new tray manager" lt_icon_docked
(($(lt_docked_count) == 1)) || lt_fail "$(lt_docked_count) icons after the manager's restart"
lt_log "ok: docked again after the manager's restart: $(grep '^docked ' "$LT_XTRAY_LOG")"

lt_clear_logind_calls
LT_MENU_OPENER="lt_click_docked 3"
lt_tray_menu
lt_poll 2 eval '(($(lt_popup_count) > 1))' && lt_fail "a right click opened $(lt_popup_count) menus"
xdotool key Escape
lt_wait_for 5 "Escape to close the menu" eval '(($(lt_popup_count) == 0))'
lt_quit
lt_expect_logind_calls ""
for item in "Mostrar..." "Acerca de..." "Salir"; do
  grep -qE "^ *menu item \"$(lt_regex "$item")\"" <<<"$LT_POPUP" || lt_fail "the tray menu has no \"$item\": $LT_POPUP"
done
lt_log "ok: a right click opens the tray menu, and its Salir ends the program"

# A tray manager that starts after the program (a panel later than the
# session's autostart) gets the icon too.
lt_stop_xembed_tray
lt_start_nocturo /D090 /E
lt_wait_for 10 "the program on the accessibility bus" lt_dump
lt_start_xembed_tray
lt_wait_for 15 "the icon to dock with a manager started after the program" lt_icon_docked
(($(lt_docked_count) == 1)) || lt_fail "$(lt_docked_count) icons docked with the late manager"
lt_log "ok: docked with a manager started after the program: $(grep '^docked ' "$LT_XTRAY_LOG")"

# A manager gone for good, after a restart: after the grace period the main
# window stands in; a manager that comes at last takes the icon again.
lt_stop_xembed_tray
lt_start_xembed_tray
lt_wait_for 15 "the icon to dock with the restarted manager" lt_icon_docked
lt_stop_xembed_tray
lt_wait_for 25 "the window to stand in for the X11 tray" lt_window_shown "Nocturo v2.5"
lt_expect_control "label" "CONTANDO"
lt_start_xembed_tray
lt_wait_for 15 "the icon to dock with the manager that came at last" lt_icon_docked
lt_log "ok: the window stood in while no manager ran; docked again: $(grep '^docked ' "$LT_XTRAY_LOG")"
lt_quit
