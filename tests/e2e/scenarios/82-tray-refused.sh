#!/usr/bin/env bash
# e2e-timeout: 120
# The shell refuses the tray icon: the session runs Wine's "null" graphics
# driver, under which the desktop has no notification area (no
# Shell_TrayWnd), so every Shell_NotifyIconA call returns FALSE. The program
# runs on all the same: its windows work, it counts a six-second schedule
# and at zero asks once for the restart it was set to, then ends. Nothing
# crashes.
#
# (Other ways tried under Wine 8: without a virtual desktop, or with the
# taskbar off, Wine still opens a notification area of its own and accepts
# the icon; killing explorer.exe ends Wine's desktop window and with it every
# window of the session; stopping it makes Shell_NotifyIcon wait, since Wine
# sends to the notification area without a time limit.)
source "$(dirname "$0")/../lib.sh"
e2e_setup

# A new session of this prefix, with the null driver.
"$WINE64" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null ||
  e2e_fail "cannot choose the null graphics driver"
"$WINESERVER_BIN" -k
timeout 20 "$WINESERVER_BIN" -w
"$WINESERVER_BIN" -p
e2e_driver window principal exists >/dev/null || e2e_fail "the driver does not run: $(e2e_driver_failure)"

e2e_start_nocturo --relay /S
e2e_wait_window principal visible 30000
e2e_wait_for 10 "the tray icon's add (NIM_ADD)" e2e_relay_has 'Call shell32\.Shell_NotifyIconA\(00000000,'
add=$(grep -A1 'Call shell32\.Shell_NotifyIconA(00000000,' "$NOCTURO_RELAY" | head -n 2)
grep -q 'Ret  shell32\.Shell_NotifyIconA() retval=00000000' <<<"$add" ||
  e2e_fail "the shell took the icon: $add"
e2e_log "the shell refused the icon"

# A tenth of a minute, restart.
e2e_type principal txtDentroDe '\b\b\b0.1'
e2e_click principal optModo2
e2e_expect principal optModo2 check 1
e2e_click principal btnEmpezar
e2e_expect principal lblAtencion text "ATENCIÓN!"
e2e_expect principal lblMinRestantes text "00:00:02" 6000
e2e_expect_exit 30 any
e2e_relay_calls >&2
e2e_expect_no_crash
[[ $(e2e_relay_count 'Call user32\.ExitWindowsEx\(') == 1 ]] || e2e_fail "not exactly one power request"
e2e_relay_has 'Call user32\.ExitWindowsEx\(00000002,00000000\)' || e2e_fail "no ExitWindowsEx(2, 0)"
if grep -A1 'Call shell32\.Shell_NotifyIconA' "$NOCTURO_RELAY" | grep -q 'retval=00000001'; then
  e2e_fail "the shell took one of the icon calls"
fi
e2e_log "$(e2e_relay_count 'Call shell32\.Shell_NotifyIconA') icon calls, all refused"
