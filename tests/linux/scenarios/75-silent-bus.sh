#!/usr/bin/env bash
# A bus that takes the connection and never answers counts as absent after a
# few seconds: the system bus (the power request is refused, with its line in
# the journal, and the program ends), then the session bus (the main window
# shows, without tray or accessibility, and the count goes on to its power
# off), then the accessibility bus, named by AT_SPI_BUS_ADDRESS or by a
# launcher that never answers (the tray item and the count come within
# seconds, without accessibility). The program's clock is set to 22:29:45, so
# that /A2230 is a count of 15 seconds.
# lt-timeout: 150
source "$(dirname "$0")/../lib.sh"
faketime_lib=/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1
[[ -f $faketime_lib ]] || lt_skip "libfaketime is not installed"
lt_setup
lt_start_silent_bus "$LT_TMP/silent-bus"
silent=unix:path=$LT_TMP/silent-bus

LT_ENV=(DBUS_SYSTEM_BUS_ADDRESS=$silent)
lt_start_nocturo /MA /I
lt_wait_exit 10
((LT_EXIT == 0)) || lt_fail "ended with status $LT_EXIT"
grep -qxE 'PosX=-?[0-9]+' "$(lt_conf)" || lt_fail "no position stored"
lt_expect_journal '^nocturo: PowerOff refused: no system bus: org\.freedesktop\.DBus\.Error\.[A-Za-z]+: .'
lt_log "ok: a silent system bus refuses the request within seconds"

# Qt's accessibility bridge asks the session bus too.
lt_start_logind
lt_clear_logind_calls
LT_ENV=(DBUS_SESSION_BUS_ADDRESS=$silent QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
  LD_PRELOAD=$faketime_lib "FAKETIME=@$(date +%F) 22:29:45")
lt_start_nocturo /A2230 /MA /E /S
lt_wait_for 15 "the main window on the display" \
  xdotool search --pid "$NOCTURO_PID" --onlyvisible --name '^Nocturo v2\.5$'
lt_log "ok: the main window shows with a silent session bus"
lt_wait_exit 40
((LT_EXIT == 0)) || lt_fail "ended with status $LT_EXIT"
lt_expect_logind_calls $'ListInhibitors\nPowerOff False'
grep -q '^nocturo: no session bus: ' "$NOCTURO_LOG" || lt_fail "no journal line for the session bus: $(cat "$NOCTURO_LOG")"
lt_log "ok: the count went on to its power off with a silent session bus"

# The accessibility bridge's own bus: the program asks it before Qt does.
# silent_a11y_case WHAT: the item and its count come within seconds, and
# the journal says the accessibility bus is missing.
silent_a11y_case() {
  lt_start_nocturo /D010 /E /S
  lt_wait_for 8 "the tray item with $1" lt_item_registered
  lt_wait_for 3 "the count with $1" lt_tooltip_matches '^Nocturo - 00:(09|10):[0-5][0-9]$'
  kill "$NOCTURO_PID"
  lt_wait_for 10 "the program to end" lt_gone "$NOCTURO_PID"
  grep -q '^nocturo: no accessibility bus: ' "$NOCTURO_LOG" ||
    lt_fail "no journal line for $1: $(cat "$NOCTURO_LOG")"
  lt_log "ok: the item and the count came with $1"
}
lt_start_watcher
LT_ENV=("AT_SPI_BUS_ADDRESS=$silent" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1)
silent_a11y_case "AT_SPI_BUS_ADDRESS naming a silent bus"

# A launcher that holds its name and never reads a call.
"$LT_PY" -c '
import dbus, time
dbus.SessionBus().request_name("org.a11y.Bus")
print("owned", flush=True)
time.sleep(3600)
' >"$LT_TMP/log/silent-launcher.log" 2>&1 &
lt_started $!
lt_wait_for 10 "the silent launcher" lt_has_owner session org.a11y.Bus
# Qt asks it whether accessibility is on (unless told it is always on),
# waiting 25 seconds for each of its two answers.
LT_ENV=()
silent_a11y_case "a launcher that never answers"
