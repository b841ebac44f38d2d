#!/usr/bin/env bash
# e2e-timeout: 150
# "PosX" and "PosY" holding what the program never writes: other registry
# types (REG_DWORD, REG_BINARY, REG_MULTI_SZ, REG_EXPAND_SZ, REG_QWORD,
# REG_NONE), a string of 100,000 characters, one of 65, "12px",
# "2147483648", full-width digits, text with a NUL inside. Each such
# coordinate falls back to the centred one, the other coordinate keeps its
# own value ("-0" is the number zero; a string stored without its terminating
# NUL is still read), and Salir writes both back as decimal REG_SZ text of
# where the window is. Nothing crashes, no power action is asked for.
source "$(dirname "$0")/../lib.sh"
e2e_setup

config='HKCU\Software\Nocturo\Config'

# hex_utf16 TEXT [NUL]: TEXT as UTF-16LE bytes in .reg hex notation, with a
# terminating NUL unless the second argument is "no-nul".
hex_utf16() {
  local bytes
  bytes=$(printf '%s' "$1" | iconv -f UTF-8 -t UTF-16LE | od -An -tx1 -v | tr -s ' \n' ',,')
  bytes=${bytes#,}
  bytes=${bytes%,}
  [[ ${2:-} == no-nul ]] || bytes+=${bytes:+,}00,00
  echo "$bytes"
}

# centred PIXELS SCREEN SIZE: the centred edge, give or take the rounding of
# twips.
centred() { (($1 - ($2 - $3) / 2 <= 1 && ($2 - $3) / 2 - $1 <= 1)); }

# check X-VALUE Y-VALUE X-EXPECTED Y-EXPECTED: stores the two .reg values
# (anything after "PosX"=), starts the program, checks where the main window
# opens (a number of pixels, or "centre"), ends it through Salir and checks
# what it wrote back.
runs=0
check() {
  local x=$1 y=$2 want_x=$3 want_y=$4
  runs=$((runs + 1))
  e2e_reg_import <<EOF
Windows Registry Editor Version 5.00

[-HKEY_CURRENT_USER\\Software\\Nocturo]

[HKEY_CURRENT_USER\\Software\\Nocturo\\Config]
"PosX"=$x
"PosY"=$y
EOF
  local stored
  stored=$(e2e_reg_query "$config" | cut -c1-100)
  e2e_log "run $runs stores: $(tr '\n' ' ' <<<"$stored")"
  grep -q PosX <<<"$stored" && grep -q PosY <<<"$stored" || e2e_fail "run $runs: the values were not stored"
  e2e_start_nocturo --relay /S
  e2e_wait_window principal visible 30000
  local rect l t r b
  rect=$(e2e_driver window principal rect) || e2e_fail "no main window rectangle"
  IFS=, read -r l t r b <<<"$rect"
  e2e_log "main window at $rect"
  if [[ $want_x == centre ]]; then
    centred "$l" 1024 $((r - l)) || e2e_fail "run $runs: left $l is not centred"
  else
    ((l == want_x)) || e2e_fail "run $runs: left $l, expected $want_x"
  fi
  if [[ $want_y == centre ]]; then
    centred "$t" 768 $((b - t)) || e2e_fail "run $runs: top $t is not centred"
  else
    ((t == want_y)) || e2e_fail "run $runs: top $t, expected $want_y"
  fi
  e2e_tray_exit
  e2e_expect_exit 20
  e2e_expect_no_crash
  [[ $(e2e_relay_count 'Call user32\.ExitWindowsEx') == 0 ]] || e2e_fail "a power action was requested"
  # Written back: the window's edges in twips (15 to a pixel here).
  local settings
  settings=$(e2e_reg_query "$config")
  e2e_log "settings: $(tr '\n' ' ' <<<"$settings")"
  grep -Eq "^ +PosX +REG_SZ +$((l * 15))\$" <<<"$settings" || e2e_fail "run $runs: PosX is not $((l * 15))"
  grep -Eq "^ +PosY +REG_SZ +$((t * 15))\$" <<<"$settings" || e2e_fail "run $runs: PosY is not $((t * 15))"
}

long=$(printf '1%.0s' {1..100000})
sixty_five=$(printf '0%.0s' {1..61})1500

# 1500 twips is 100 pixels, 900 is 60.
check 'dword:000005dc' "hex:$(hex_utf16 900)" centre centre
check "hex(7):$(hex_utf16 1500),00,00" "hex(2):$(hex_utf16 '%SystemRoot%')" centre centre
check "hex(b):dc,05,00,00,00,00,00,00" "hex(0):$(hex_utf16 900)" centre centre
check "\"$long\"" "\"$sixty_five\"" centre centre
check '"12px"' '"2147483648"' centre centre
check "hex(1):$(hex_utf16 '１５００')" "hex(1):$(hex_utf16 9),$(hex_utf16 00)" centre centre
check '"-0"' '"900"' 0 60
check "hex(1):$(hex_utf16 1500 no-nul)" '"-120"' 100 -8
