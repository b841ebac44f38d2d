#!/usr/bin/env bash
# e2e-timeout: 240
# e2e-run: background
# "/D001 /E /MR" counts one minute in the background, with the tray icon,
# and then asks for a restart and ends.
source "$(dirname "$0")/../lib.sh"
e2e_setup

e2e_start_nocturo --relay /D001 /E /MR
started=$SECONDS
e2e_wait_window acercade exists 30000
visible=$(e2e_driver window principal visible)
[[ $visible == 0 ]] || e2e_fail "the main window shows without /S"
e2e_wait_for 10 "the tray icon (NIM_ADD)" e2e_relay_has 'Call shell32\.Shell_NotifyIconA\(00000000,'
# Shown from the icon: the count has been set up in the hidden window.
e2e_driver tray 515 >/dev/null || e2e_fail "cannot notify the About window"
e2e_wait_window principal visible 5000
e2e_expect principal txtDentroDe text "1"
e2e_expect principal optModo2 check 1
e2e_expect principal lblAtencion text "CONTANDO"

e2e_wait_exit 100
took=$((SECONDS - started))
e2e_relay_calls >&2
((took >= 55)) || e2e_fail "the action came after ${took}s instead of a minute"
e2e_relay_has 'Call user32\.ExitWindowsEx\(00000002,00000000\)' || e2e_fail "no ExitWindowsEx(2, 0)"

# The position was saved before the request (and again after it, unless the
# session's end came first).
stored=$(e2e_reg_query 'HKCU\Software\Nocturo\Config')
e2e_log "stored: $(echo "$stored" | grep -E 'Pos[XY]' | tr -s ' ' | tr '\n' ';')"
grep -Eq 'PosX[[:space:]]+REG_SZ[[:space:]]+-?[0-9]+$' <<<"$stored" || e2e_fail "no PosX after the power request"
grep -Eq 'PosY[[:space:]]+REG_SZ[[:space:]]+-?[0-9]+$' <<<"$stored" || e2e_fail "no PosY after the power request"
