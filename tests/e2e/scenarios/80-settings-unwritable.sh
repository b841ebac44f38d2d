#!/usr/bin/env bash
# e2e-timeout: 120
# A settings store the program cannot write. First the Config key keeps its
# values readable but refuses writes (its security denies setting values to
# everyone): the program opens at the stored place, counts, and ends cleanly
# through Salir; its writes are refused and the stored position stays as it
# was. Then Software\Nocturo is a volatile key, under which no lasting Config
# key can be created: the program opens centred, counts and ends cleanly, and
# nothing is stored. Neither run crashes or asks for a power action.
source "$(dirname "$0")/../lib.sh"
e2e_setup

config='HKCU\Software\Nocturo\Config'
# The registry calls of the program go to the relay trace as well, with
# their results ("Ret ... retval=...").
e2e_reg_import <<EOF
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\\Software\\Wine\\Debug]
"RelayInclude"="$E2E_RELAY_FUNCTIONS;advapi32.RegCreateKeyExW;advapi32.RegSetValueExW"

[HKEY_CURRENT_USER\\Software\\Nocturo\\Config]
"PosX"="1500"
"PosY"="900"
EOF

# count_then_exit: the main window (shown by /S) counts two minutes, then
# Salir ends the program.
count_then_exit() {
  e2e_type principal txtDentroDe '\b\b\b2'
  e2e_click principal btnEmpezar
  e2e_expect principal lblAtencion text "CONTANDO"
  e2e_expect_like principal lblMinRestantes text "00:01:5?" 5000
  e2e_tray_exit
  e2e_expect_exit 20
  e2e_relay_calls >&2
  e2e_expect_no_crash
  [[ $(e2e_relay_count 'Call user32\.ExitWindowsEx') == 0 ]] || e2e_fail "a power action was requested"
}

# --- values readable, writes denied
out=$(e2e_driver reg-deny-write 'Software\Nocturo\Config') || e2e_fail "cannot protect the key: $out"
if "$WINE64" reg add "$config" /v PosX /d 3000 /f >/dev/null 2>&1; then
  e2e_fail "the protected key still takes values"
fi
e2e_start_nocturo --relay /S
e2e_wait_window principal visible 30000
rect=$(e2e_driver window principal rect)
e2e_log "main window at $rect (stored 1500, 900 twips = 100, 60 pixels)"
[[ $rect == 100,60,* ]] || e2e_fail "the stored position was not restored: $rect"
# Moved, so that a save would have something new to write.
e2e_driver move principal 200 150 >/dev/null || e2e_fail "cannot move the main window"
count_then_exit
# GuardarPosicion tried to write both values and was refused (5 = access denied).
e2e_relay_has 'Ret  advapi32\.RegCreateKeyExW\(.*retval=00000005' || e2e_fail "no refused RegCreateKeyExW in the trace"
e2e_relay_has 'Call advapi32\.RegSetValueExW' && e2e_fail "a value was written to the protected key"
settings=$(e2e_reg_query "$config")
e2e_log "settings: $(tr '\n' ' ' <<<"$settings")"
grep -Eq 'PosX +REG_SZ +1500$' <<<"$settings" && grep -Eq 'PosY +REG_SZ +900$' <<<"$settings" ||
  e2e_fail "the stored position changed"

# --- no lasting key can be created
"$WINE64" reg delete 'HKCU\Software\Nocturo' /f >/dev/null 2>&1 || e2e_fail "cannot remove the settings"
out=$(e2e_driver reg-volatile 'Software\Nocturo') || e2e_fail "cannot create the volatile key: $out"
e2e_start_nocturo --relay /S
e2e_wait_window principal visible 30000
rect=$(e2e_driver window principal rect)
IFS=, read -r l t r b <<<"$rect"
e2e_log "main window at $rect"
# Centred on the 1024x768 screen, give or take the rounding of twips.
((${l} - (1024 - (r - l)) / 2 <= 1 && (1024 - (r - l)) / 2 - l <= 1)) || e2e_fail "not centred across: $rect"
((${t} - (768 - (b - t)) / 2 <= 1 && (768 - (b - t)) / 2 - t <= 1)) || e2e_fail "not centred down: $rect"
count_then_exit
# ERROR_CHILD_MUST_BE_VOLATILE (1021 = 0x3fd).
e2e_relay_has 'Ret  advapi32\.RegCreateKeyExW\(.*retval=000003fd' || e2e_fail "no refused RegCreateKeyExW in the trace"
if "$WINE64" reg query "$config" >/dev/null 2>&1; then
  e2e_fail "a Config key exists: $(e2e_reg_query "$config" | tr '\n' ' ')"
fi
