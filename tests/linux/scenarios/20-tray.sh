#!/usr/bin/env bash
# The tray item as a StatusNotifier host sees it: registered once with the
# program's icon; its tooltip "Nocturo" while stopped and "Nocturo - hh:mm:ss"
# following the count each second; Activate shows the main window;
# ContextMenu opens the tray menu with its three items; the item exports the
# same menu for a panel to draw (DBusMenu), whose "Acerca de..." shows the
# About window; after the tray host restarts the item registers again and
# keeps following the count; the panel's "Salir" ends the program without a
# power request and takes the item away.
source "$(dirname "$0")/../lib.sh"
lt_setup
lt_start_atspi
lt_start_watcher
lt_start_logind

lt_start_nocturo /D090 /E
lt_wait_for 20 "the tray item" lt_item_registered
items=$(lt_item_count)
((items == 1)) || lt_fail "$items items registered"
icon=$(lt_sni icon)
[[ -n $icon ]] || lt_fail "the item has no icon pixmap"
lt_log "ok: one item, icon pixmaps $icon"
lt_window_hidden "Nocturo v2.5" || lt_fail "the main window shows without /S"

lt_wait_for 5 "the tooltip to follow the count" lt_tooltip_matches '^Nocturo - 0[01]:[0-5][0-9]:[0-5][0-9]$'
first=$(lt_sni tooltip)
lt_wait_for 3 "the tooltip to change within a second" eval '[[ $(lt_sni tooltip) != "$first" ]]'
second=$(lt_sni tooltip)
[[ $first =~ ^Nocturo\ -\ 01:(29|30):[0-5][0-9]$ ]] || lt_fail "tooltip \"$first\" is not 90 minutes' count"
seconds_of() { local t=${1#Nocturo - }; echo $((10#${t:0:2} * 3600 + 10#${t:3:2} * 60 + 10#${t:6:2})); }
step=$(($(seconds_of "$first") - $(seconds_of "$second")))
((step == 1)) || lt_fail "the tooltip went from \"$first\" to \"$second\""
lt_log "ok: tooltip \"$first\" then \"$second\""
# Each second's tooltip is one signal to the host; the icon, which stays,
# is announced at most once (a new icon makes the host read its pixmaps).
signals=$(lt_sni signals)
new_icons=$(awk '$1 == "NewIcon" {print $2}' <<<"$signals")
((${new_icons:-0} <= 1)) || lt_fail "the item announced a new icon ${new_icons} times while only its tooltip changed: $signals"
grep -q '^NewToolTip ' <<<"$signals" || lt_fail "the host heard no NewToolTip: $signals"

lt_sni activate 10 10 || lt_fail "Activate was refused"
lt_wait_for 10 "Activate to show the main window" lt_window_shown "Nocturo v2.5"
lt_expect_control "label" "CONTANDO"

lt_atspi "$NOCTURO_PID" --press "push button" "Ocultar" || lt_fail "cannot press Ocultar"
lt_wait_for 10 "Ocultar to hide the main window" lt_window_hidden "Nocturo v2.5"
lt_tray_menu --click "Mostrar..."
for item in "Mostrar..." "Acerca de..." "Salir"; do
  grep -qE "^ *menu item \"$(lt_regex "$item")\"" <<<"$LT_POPUP" || lt_fail "the tray menu has no \"$item\": $LT_POPUP"
done
(($(grep -c 'menu item' <<<"$LT_POPUP") == 3)) || lt_fail "the tray menu is not three items: $LT_POPUP"
lt_wait_for 10 "Mostrar... to show the main window" lt_window_shown "Nocturo v2.5"
lt_log "ok: ContextMenu opens the tray menu, and its Mostrar... shows the main window"

# The menu as GNOME's AppIndicator extension, Xfce's panel and Plasma draw it,
# mnemonics shown the DBusMenu way.
menu=$(lt_sni menu-items) || lt_fail "the item's menu cannot be read"
[[ $(cut -d' ' -f2- <<<"$menu") == $'_Mostrar...\n_Acerca de...\n_Salir' ]] ||
  lt_fail "the item's menu is not the tray menu's three items:"$'\n'"$menu"
lt_sni menu-click "_Acerca de..." || lt_fail "the panel's Acerca de... cannot be clicked"
lt_wait_for 10 "the panel's Acerca de... to show the About window" lt_window_shown "Acerca de..."
lt_atspi "$NOCTURO_PID" --press "push button" "Cerrar" || lt_fail "cannot press Cerrar"
lt_wait_for 10 "Cerrar to hide the About window" lt_window_hidden "Acerca de..."
lt_log "ok: the item's DBusMenu holds $(tr '\n' ' ' <<<"$menu"); its Acerca de... shows the About window"

lt_stop_watcher
lt_start_watcher
lt_wait_for 15 "the item to register with the new tray host" lt_item_registered
(($(lt_item_count) == 1)) || lt_fail "$(lt_item_count) items after the host's restart"
lt_wait_for 5 "the tooltip to follow the count again" lt_tooltip_matches '^Nocturo - 01:[0-5][0-9]:[0-5][0-9]$'
lt_log "ok: the item is back after the tray host's restart: $(lt_sni tooltip)"

lt_clear_logind_calls
lt_quit
lt_expect_logind_calls ""
lt_wait_for 5 "the item to go" eval '(($(lt_item_count) == 0))'
