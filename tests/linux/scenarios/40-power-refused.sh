#!/usr/bin/env bash
# A refused power request ends the program as a granted one does (status 0,
# no crash, position saved) and touches nothing else: logind not running,
# logind saying no, no system bus at all.
source "$(dirname "$0")/../lib.sh"
lt_setup
lt_start_watcher

refused() {
  rm -f "$(lt_conf)"
  lt_start_nocturo "$@"
  lt_wait_exit 15
  ((LT_EXIT == 0)) || lt_fail "nocturo $* ended with status $LT_EXIT when refused"
  grep -qxE 'PosX=-?[0-9]+' "$(lt_conf)" || lt_fail "nocturo $* lost its position when refused"
}

refused /MA /I
lt_log "ok: no logind on the system bus"

lt_start_logind
lt_logind_mock AddMethod sssss org.freedesktop.login1.Manager PowerOff b '' \
  'raise dbus.exceptions.DBusException("not allowed", name="org.freedesktop.DBus.Error.AccessDenied")' >/dev/null
lt_clear_logind_calls
refused /F /MA /I
lt_expect_logind_calls 'PowerOff False'
lt_log "ok: logind refused"

DBUS_SYSTEM_BUS_ADDRESS=unix:path=$LT_TMP/no-system-bus refused /MR /I
lt_log "ok: no system bus"
