#!/usr/bin/env bash
# e2e-timeout: 600
# e2e-run: background
# The real 32-bit nocturo.exe under 32-bit Wine (through qemu emulation on
# hosts that cannot run i386 programs, where it takes a minute or more to
# start): "/F /MA /I" asks for a forced power-off at once and ends, without
# ever adding its tray icon.
source "$(dirname "$0")/../lib.sh"

if ! reason=$(e2e_enable_i386 2>&1); then
  echo "skipped: $reason"
  exit 77
fi
e2e_setup

started=$SECONDS
e2e_start_nocturo --arch i686 --relay /F /MA /I
e2e_poll 480 e2e_pid_gone "$NOCTURO_PID" || e2e_fail "nocturo.exe (i686) still runs after $((SECONDS - started))s"
e2e_log "nocturo.exe (i686) ended after $((SECONDS - started))s"

e2e_relay_has 'Call user32\.ExitWindowsEx\(0000000d,00000000\)' ||
  e2e_fail "no ExitWindowsEx(13, 0) in $NOCTURO_RELAY"
if e2e_relay_has 'Call shell32\.Shell_NotifyIconA\(00000000,'; then
  e2e_fail "the tray icon was added (NIM_ADD) before the immediate action"
fi
# On the NT family the shutdown privilege is asked for first.
e2e_relay_has 'Call advapi32\.LookupPrivilegeValueA\(00000000,[0-9a-f]+ "SeShutdownPrivilege"' ||
  e2e_log "note: no shutdown privilege lookup (the system is not named as NT-family)"
grep -E 'Call (user32|shell32|advapi32)\.' "$NOCTURO_RELAY" | cut -c1-160 >&2
