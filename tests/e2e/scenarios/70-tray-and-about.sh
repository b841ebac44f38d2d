#!/usr/bin/env bash
# Without switches only the tray icon shows. Its double-click opens the main
# window, its menu shows the main window or the About window and ends the
# program, which then has saved the window position. Each showing of the About
# window puts the focus on the read-me, and the icon's notifications work
# while the pointer rests over the About window, a control of it included.
source "$(dirname "$0")/../lib.sh"
e2e_setup

e2e_start_nocturo --relay
e2e_wait_window acercade exists 30000
e2e_wait_window principal exists 5000
e2e_wait_for 10 "the tray icon (NIM_ADD)" e2e_relay_has 'Call shell32\.Shell_NotifyIconA\(00000000,'
[[ $(e2e_driver window principal visible) == 0 ]] || e2e_fail "the main window shows without /S"
[[ $(e2e_driver window acercade visible) == 0 ]] || e2e_fail "the About window shows at start-up"
e2e_screenshot "$E2E_ART/tray.png"

# A single click does nothing, a double-click opens the main window.
e2e_driver tray 513 >/dev/null && e2e_driver tray 514 >/dev/null
e2e_driver tray 515 >/dev/null || e2e_fail "cannot notify the About window"
e2e_wait_window principal visible 5000
e2e_click principal btnSalir
e2e_wait_window principal hidden 5000

# The menu: "Acerca de..." shows the About window.
e2e_driver tray 517 >/dev/null
out=$(e2e_driver wait-menu open 5000) || e2e_fail "the tray menu did not open: $out"
e2e_screenshot "$E2E_ART/tray-menu.png"
e2e_driver menu-select 2 >/dev/null || e2e_fail "cannot choose in the menu"
e2e_wait_window acercade visible 5000
e2e_log "system name shown: '$(e2e_get acercade LBsistemaoperativo text)'"
caption=$(e2e_driver window acercade caption)
[[ $caption == "Acerca de..." ]] || e2e_fail "About caption is '$caption'"
e2e_expect acercade cerrarayuda text "Cerrar"
leeme=$(e2e_get acercade leeme text)
[[ $leeme == "Nocturo v2.5 para Windows 9X/NT/2000"* ]] || e2e_fail "the read-me begins '${leeme:0:60}'"
e2e_expect_focus acercade leeme
e2e_window_shot acercade "$E2E_ART/about-window.png"
e2e_save_doc_image "$E2E_ART/about-window.png" about-window.png

# "Cerrar" clicked with the mouse takes the focus as it hides the window; the
# next showing puts it on the read-me again.
read -r cx cy < <(e2e_centre_of acercade cerrarayuda)
xdotool mousemove "$cx" "$cy" click 1
e2e_wait_window acercade hidden 5000
e2e_tray_menu 2
e2e_wait_window acercade visible 5000
e2e_expect_focus acercade leeme

# The pointer resting on "Cerrar", then on the window itself (the author's
# label lets the mouse through): the icon's notifications still act.
xdotool mousemove "$cx" "$cy"
e2e_driver tray 515 >/dev/null
out=$(e2e_driver wait-window principal visible 5000) ||
  e2e_fail "a double-click notification with the pointer on Cerrar did not show the main window: $out"
e2e_log "ok: a double-click notification with the pointer on Cerrar showed the main window"
e2e_click principal btnSalir
e2e_wait_window principal hidden 5000
read -r ax ay < <(e2e_centre_of acercade Autor)
xdotool mousemove "$ax" "$ay"
e2e_driver tray 517 >/dev/null
out=$(e2e_driver wait-menu open 5000) ||
  e2e_fail "a right-button notification with the pointer over the About window opened no menu: $out"
e2e_driver menu-select 2 >/dev/null  # the About window, already shown
e2e_driver wait-menu closed 3000 >/dev/null || e2e_fail "the menu stayed open"
e2e_log "ok: the menu opened with the pointer over the About window"
e2e_click acercade cerrarayuda
e2e_wait_window acercade hidden 5000

# "Mostrar..." shows the main window.
e2e_tray_menu 1
e2e_wait_window principal visible 5000

# "Salir" ends the program without any power request.
e2e_tray_exit
e2e_wait_exit 20
e2e_relay_calls >&2
if e2e_relay_has 'Call user32\.ExitWindowsEx'; then e2e_fail "Salir asked for a power action"; fi
e2e_relay_has 'Call shell32\.Shell_NotifyIconA\(00000002,' || e2e_fail "no icon removal"

settings=$(e2e_reg_query 'HKCU\Software\Nocturo\Config')
e2e_log "settings: $(tr '\n' ' ' <<<"$settings")"
grep -q 'PosX' <<<"$settings" && grep -q 'PosY' <<<"$settings" ||
  e2e_fail "no saved window position under HKCU\\Software\\Nocturo\\Config"
