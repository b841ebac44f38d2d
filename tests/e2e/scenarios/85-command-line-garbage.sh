#!/usr/bin/env bash
# e2e-timeout: 150
# Command lines the program never expects: 32,000 characters of text with
# the valid switches buried in it (the last one at the very end), switches
# whose arguments hold characters outside code page 1252 (the euro sign is
# in it, Cyrillic, a character outside the Basic Multilingual Plane, whose
# UTF-16 pair a three-character argument cuts in half, full-width digits),
# and Cyrillic text with switches run into it. Each time the program starts,
# refuses the malformed switches in silence, applies the valid ones, and
# ends cleanly through Salir; it never asks for a power action.
source "$(dirname "$0")/../lib.sh"
e2e_setup
export LC_ALL=C.UTF-8

# run EXPECTATIONS -- ARGS...: starts the program with ARGS (as UTF-8, which
# Wine turns into the UTF-16 command line), then checks each expectation,
# CONTROL=PROPERTY=VALUE, and ends it.
runs=0
run() {
  local expectations=()
  while [[ $1 != -- ]]; do expectations+=("$1"); shift; done
  shift
  runs=$((runs + 1))
  e2e_log "run $runs: $# arguments: $(printf '%s ' "$@" | cut -c1-80)..."
  LC_ALL=C.UTF-8 e2e_start_nocturo --relay "$@"
  e2e_wait_window principal visible 30000
  local expectation control property value
  for expectation in "${expectations[@]}"; do
    IFS='=' read -r control property value <<<"$expectation"
    e2e_expect principal "$control" "$property" "$value"
  done
  e2e_expect principal lblAtencion text "DETENIDO"
  e2e_tray_exit
  e2e_expect_exit 20
  e2e_expect_no_crash
  if e2e_relay_has 'Call user32\.ExitWindowsEx'; then e2e_fail "run $runs: a power action was requested"; fi
}

# junk N: N UTF-16 code units of text with no "/" in it: letters, digits,
# blanks, punctuation, Cyrillic, Greek, the euro sign, CJK and an emoji (two
# units).
junk() {
  python3 -c 'import sys
piece = "Lorem ipsum 0123456789 ;:,.-_=+*?!#$%&()[]{}<>~^@ Привет мир Ωμέγα €¥ 漢字 😀 "
n, out, used = int(sys.argv[1]), [], 0
while used < n:
    for c in piece:
        units = 2 if ord(c) > 0xFFFF else 1
        if used + units > n:
            break
        out.append(c)
        used += units
    else:
        continue
    break
out.append("x" * (n - used))
sys.stdout.write("".join(out))' "$1"
}

# 32,000 UTF-16 code units of command line after the program's name, as Wine
# joins the arguments: one blank between them, and those with blanks quoted
# (two more each): 12,002 + 1 + 3 + 1 + 12,002 + 1 + 5 + 1 + 7,981 + 1 + 2.
run txtDentroDe=text=7 optDesconexion1=check=1 optModo2=check=1 -- \
  "$(junk 12000)" /mr "$(junk 12000)" /D007 "$(junk 7979)" /s
run txtDentroDe=text=60 optModo1=check=1 chkForzado=check=1 -- \
  "/D00€" /F /S
run txtDentroDe=text=5 optModo3=check=1 chkForzado=check=0 -- \
  "Привет/sмир/mlтест/d005Ω😀"
run txtDentroDe=text=60 optDesconexion1=check=1 optModo2=check=1 -- \
  "/A１２３４" "/D00😀" "/Mr" "/S"
