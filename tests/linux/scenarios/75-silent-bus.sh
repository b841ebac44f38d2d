#!/usr/bin/env bash
# A bus that takes the connection and never answers counts as absent after a
# few seconds: the system bus (the power request is refused, with its line in
# the journal, and the program ends), then the session bus (the main window
# shows, without tray or accessibility, and the count goes on to its power
# off). The program's clock is set to 22:29:45, so that /A2230 is a count of
# 15 seconds.
# lt-timeout: 120
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
