#!/usr/bin/env bash
# e2e-timeout: 600
# e2e-run: background
# The real 32-bit nocturo.exe under 32-bit Wine (through qemu emulation on
# hosts that cannot run i386 programs, where it takes a minute or more to
# start). "/S /F /MA /D000 /E" shows the main window counting the 30 seconds
# of a zero-minute schedule, with the tray icon; at zero it asks for a forced
# power-off and ends.
source "$(dirname "$0")/../lib.sh"

if ! reason=$(e2e_enable_i386 2>&1); then
  echo "skipped: $reason"
  exit 77
fi
e2e_setup

started=$SECONDS
e2e_start_nocturo --arch i686 --relay /S /F /MA /D000 /E
e2e_wait_window principal visible 420000
e2e_log "the main window of nocturo.exe (i686) showed after $((SECONDS - started))s"
e2e_window_shot principal "$E2E_ART/main-window-i686.png"
caption=$(e2e_driver window principal caption)
[[ $caption == "Nocturo v2.5" ]] || e2e_fail "caption is '$caption'"
e2e_expect principal txtDentroDe text "0"
e2e_expect principal chkForzado check 1
e2e_expect principal optModo1 check 1
e2e_expect principal lblAtencion text "ATENCIÓN!"
e2e_expect_like principal lblMinRestantes text "00:00:??"
e2e_control_shot principal PrincipalLogo "$E2E_ART/logo-i686.png"

e2e_wait_exit 120
e2e_log "nocturo.exe (i686) ended after $((SECONDS - started))s"
e2e_relay_calls >&2
e2e_relay_has 'Call shell32\.Shell_NotifyIconA\(00000000,' || e2e_fail "the tray icon was never added"
e2e_relay_has 'Call user32\.ExitWindowsEx\(0000000d,00000000\)' ||
  e2e_fail "no ExitWindowsEx(13, 0) in $NOCTURO_RELAY"
