#!/usr/bin/env bash
# The real mouse on the tray icon in the taskbar's notification area: a
# double-click shows the main window; a right-click opens the menu, a second
# right-click while it is open opens no other; its items, clicked with the
# mouse, show the main window, the About window, and end the program, which
# removes its icon and saves the window's position.
source "$(dirname "$0")/../lib.sh"
e2e_setup

e2e_start_nocturo --relay
e2e_wait_window acercade exists 30000
e2e_wait_for 10 "the tray icon (NIM_ADD)" e2e_relay_has 'Call shell32\.Shell_NotifyIconA\(00000000,'
read -r x y < <(e2e_tray_icon_centre)
e2e_log "the icon is drawn around ($x, $y)"
[[ $(e2e_driver window principal visible) == 0 ]] || e2e_fail "the main window shows without /S"

# A double-click shows the main window.
xdotool mousemove "$x" "$y" click --repeat 2 --delay 100 1
e2e_wait_window principal visible 5000
e2e_log "ok: a double-click on the icon showed the main window"
e2e_click principal btnSalir
e2e_wait_window principal hidden 5000

# menu_item N: the centre of item N (of 3) of the open menu.
menu_item() {
  local l t r b
  IFS=, read -r l t r b <<<"$(e2e_driver menu rect)"
  echo "$(((l + r) / 2)) $((t + (b - t) * (2 * $1 - 1) / 6))"
}
right_click_menu() {
  xdotool mousemove "$x" "$y" click 3
  out=$(e2e_driver wait-menu open 5000) || e2e_fail "a right-click on the icon opened no menu: $out"
}

right_click_menu
sleep 0.3
e2e_screenshot "$E2E_ART/tray-menu-screen.png"
IFS=, read -r l t r b <<<"$(e2e_driver menu rect)"
# The menu and the icon under it, with some desktop around them, down to the
# screen's bottom-right corner.
cl=$((l - 120 < 0 ? 0 : l - 120)) ct=$((t - 60 < 0 ? 0 : t - 60))
convert "$E2E_ART/tray-menu-screen.png" -crop "$((1024 - cl))x$((768 - ct))+$cl+$ct" +repage "$E2E_ART/tray-menu.png"
e2e_save_doc_image "$E2E_ART/tray-menu.png" tray-menu.png

# A second right-click on the icon, and the shell's notification of one,
# while the menu is open: still one menu.
xdotool mousemove "$x" "$y" click 3
e2e_driver tray 516 >/dev/null && e2e_driver tray 517 >/dev/null
for _ in 1 2 3 4 5; do
  count=$(e2e_driver menu count)
  [[ $count == 1 ]] || e2e_fail "$count popup menus open after a second right-click"
  sleep 0.2
done
e2e_log "ok: one menu after a second right-click"

# "Acerca de..." with the mouse.
read -r mx my < <(menu_item 2)
xdotool mousemove "$mx" "$my" click 1
e2e_wait_window acercade visible 5000
e2e_driver wait-menu closed 3000 >/dev/null || e2e_fail "the menu stayed open"
e2e_log "ok: Acerca de... showed the About window"
e2e_click acercade cerrarayuda
e2e_wait_window acercade hidden 5000

# "Mostrar..." with the mouse.
right_click_menu
read -r mx my < <(menu_item 1)
xdotool mousemove "$mx" "$my" click 1
e2e_wait_window principal visible 5000
e2e_log "ok: Mostrar... showed the main window"
IFS=, read -r wl wt _ _ <<<"$(e2e_driver window principal rect)"

# "Salir" with the mouse.
right_click_menu
read -r mx my < <(menu_item 3)
xdotool mousemove "$mx" "$my" click 1
e2e_wait_exit 20
e2e_relay_calls >&2
if e2e_relay_has 'Call user32\.ExitWindowsEx'; then e2e_fail "Salir asked for a power action"; fi
[[ $(e2e_relay_count 'Call shell32\.Shell_NotifyIconA\(00000002,') == 1 ]] || e2e_fail "no single icon removal"
# The notification area is empty again.
icon_gone() { ! e2e_tray_icon_box >/dev/null; }
e2e_poll 5 icon_gone || e2e_fail "the icon is still drawn: $(e2e_tray_icon_box)"
e2e_screenshot "$E2E_ART/after-exit.png"
e2e_log "ok: the notification area is empty"

settings=$(e2e_reg_query 'HKCU\Software\Nocturo\Config')
e2e_log "settings: $(tr '\n' ' ' <<<"$settings")"
posx=$(awk '$1 == "PosX" { print $3 }' <<<"$settings")
posy=$(awk '$1 == "PosY" { print $3 }' <<<"$settings")
[[ $posx == $((wl * 15)) && $posy == $((wt * 15)) ]] ||
  e2e_fail "saved PosX=$posx PosY=$posy, the window was at ($wl, $wt) pixels"
