#!/usr/bin/env bash
# Without a tray host, and then without any session bus, the program runs,
# shows its window and counts to the end: at zero the power off reaches
# logind and the program ends normally. The program's clock is set to
# 22:29:45, so that /A2230 is a count of 15 seconds.
# lt-timeout: 120
source "$(dirname "$0")/../lib.sh"
faketime_lib=/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1
[[ -f $faketime_lib ]] || lt_skip "libfaketime is not installed"
lt_setup
lt_start_logind
LT_ENV=(LD_PRELOAD=$faketime_lib "FAKETIME=@$(date +%F) 22:29:45")

count_to_zero() {
  lt_clear_logind_calls
  lt_start_nocturo /A2230 /MA /E /S
  lt_wait_for 10 "the main window on the display" \
    xdotool search --pid "$NOCTURO_PID" --onlyvisible --name '^Nocturo v2\.5$'
}
powered_off() {
  lt_wait_exit 40
  ((LT_EXIT == 0)) || lt_fail "ended with status $LT_EXIT"
  lt_expect_logind_calls $'ListInhibitors\nPowerOff False'
}

# A session bus with the accessibility bus, but no tray host.
lt_start_atspi
count_to_zero
# The last 30 seconds: the warning instead of "CONTANDO".
lt_wait_for 10 "the warning on screen" lt_expect_control label "ATENCIÓN!"
lt_wait_for 5 "the time left" eval 'lt_dump | grep -qE "^ *label \"00:00:(0[0-9]|1[0-5])\""'
lt_log "ok: counting without a tray host: $(grep -oE 'label "00:00:[0-9]+"' "$LT_TMP/log/atspi.dump")"
powered_off
lt_log "ok: the count reached zero and powered off, without a tray host"

# No session bus at all: neither tray nor accessibility, and no autolaunch.
export DBUS_SESSION_BUS_ADDRESS=unix:path=$LT_TMP/no-session-bus
count_to_zero
powered_off
lt_log "ok: the count reached zero and powered off, without a session bus"
