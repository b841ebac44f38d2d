#!/usr/bin/env bash
# A refused power request ends the program as a granted one does (status 0,
# no crash, position saved) and touches nothing else: logind not running,
# logind saying no, an inhibitor, no system bus at all. Each refusal leaves
# one line, "nocturo: ...", on standard error (the session's journal), and a
# standard error that is closed, or a pipe nobody reads, loses only that line.
source "$(dirname "$0")/../lib.sh"
lt_setup
lt_start_watcher

# ended_as_refused ARGS...: status 0 and a position stored.
ended_as_refused() {
  lt_wait_exit 15
  ((LT_EXIT == 0)) || lt_fail "nocturo $* ended with status $LT_EXIT when refused"
  grep -qxE 'PosX=-?[0-9]+' "$(lt_conf)" || lt_fail "nocturo $* lost its position when refused"
}
refused() {
  rm -f "$(lt_conf)"
  lt_start_nocturo "$@"
  ended_as_refused "$@"
}

refused /MA /I
lt_expect_journal '^nocturo: PowerOff refused: ListInhibitors: org\.freedesktop\.DBus\.Error\.ServiceUnknown: .'
lt_log "ok: no logind on the system bus"

# The user's logging rules still reach Qt.
LT_ENV=(QT_LOGGING_RULES=qt.qpa.plugin.debug=true)
refused /MA /I
grep -q '^qt\.qpa\.plugin: ' "$NOCTURO_LOG" || lt_fail "QT_LOGGING_RULES was not heeded: $(cat "$NOCTURO_LOG")"
[[ $(grep -c '^nocturo: ' "$NOCTURO_LOG") == 1 ]] || lt_fail "not one journal line: $(cat "$NOCTURO_LOG")"
LT_ENV=()
lt_log "ok: QT_LOGGING_RULES heeded"

lt_start_logind
lt_logind_mock AddMethod sssss org.freedesktop.login1.Manager PowerOff b '' \
  'raise dbus.exceptions.DBusException("not allowed", name="org.freedesktop.DBus.Error.AccessDenied")' >/dev/null
lt_clear_logind_calls
refused /F /MA /I
lt_expect_logind_calls 'PowerOff False'
lt_expect_journal '^nocturo: PowerOff refused: org\.freedesktop\.DBus\.Error\.AccessDenied: not allowed$'
lt_log "ok: logind refused"

# The journal closed, then a pipe whose reader has gone: the request is made
# all the same, and the program ends normally, not by SIGPIPE.
without_journal() {
  local redirect=$1
  shift
  rm -f "$(lt_conf)"
  lt_clear_logind_calls
  LT_RUNS=$((LT_RUNS + 1))
  NOCTURO_LOG=$LT_TMP/log/nocturo.$LT_RUNS.log
  case $redirect in
    closed) "$LT_BIN" "$@" >"$NOCTURO_LOG" 2>&- & ;;
    broken-pipe)
      mkfifo "$LT_TMP/journal.pipe"
      exec {reader}<>"$LT_TMP/journal.pipe" {writer}>"$LT_TMP/journal.pipe"
      exec {reader}<&-
      "$LT_BIN" "$@" >"$NOCTURO_LOG" 2>&"$writer" &
      exec {writer}>&-
      ;;
  esac
  NOCTURO_PID=$!
  lt_started $NOCTURO_PID
  ended_as_refused "$@"
  lt_expect_logind_calls 'PowerOff False'
}
without_journal closed /F /MA /I
lt_log "ok: refused with standard error closed"
without_journal broken-pipe /F /MA /I
lt_log "ok: refused with standard error a pipe nobody reads"

# Closed standard streams are opened on /dev/null, so that no socket or file
# of the program's takes their number and a journal line lands in it.
"$LT_BIN" <&- >&- 2>&- &
NOCTURO_PID=$!
lt_started $NOCTURO_PID
lt_wait_for 20 "the tray item of a program started without standard streams" lt_item_registered
for fd in 0 1 2; do
  [[ $(readlink "/proc/$NOCTURO_PID/fd/$fd") == /dev/null ]] ||
    lt_fail "file descriptor $fd is $(readlink "/proc/$NOCTURO_PID/fd/$fd"), not /dev/null"
done
kill "$NOCTURO_PID"
lt_wait_for 10 "the program to end" lt_gone "$NOCTURO_PID"
lt_log "ok: closed standard streams are /dev/null"

# An inhibitor of the user's own: "block-weak" stops an unforced power off as
# "block" does, and logind is not even asked.
lt_logind_mock AddMethod sssss org.freedesktop.login1.Manager ListInhibitors '' 'a(ssssuu)' \
  'ret = [("sleep", "Updater", "not now", "block", 1000, 41), ("shutdown:sleep", "Burner", "writing a disc", "block-weak", 1000, 42)]' >/dev/null
lt_clear_logind_calls
refused /MA /I
lt_expect_logind_calls 'ListInhibitors'
lt_expect_journal '^nocturo: PowerOff refused: inhibited by Burner \(block-weak: writing a disc\)$'
lt_log "ok: a block-weak inhibitor"

lt_logind_mock AddMethod sssss org.freedesktop.login1.Manager ListInhibitors '' 'a(ssssuu)' 'ret = []' >/dev/null
# Its message with a tab in it, quoted for gdbus as a GVariant string.
blocked='raise dbus.exceptions.DBusException("Operation inhibited by \\\"Burner\\\"," + chr(9) + "reason is \\\"writing\\\".", name="org.freedesktop.login1.BlockedByInhibitor")'
lt_logind_mock AddMethod sssss org.freedesktop.login1.Manager RebootWithFlags t '' "'$blocked'" >/dev/null
lt_clear_logind_calls
refused /MR /I
lt_expect_logind_calls $'ListInhibitors\nRebootWithFlags 1'
lt_expect_journal '^nocturo: RebootWithFlags refused: org\.freedesktop\.login1\.BlockedByInhibitor: Operation inhibited by "Burner", reason is "writing"\.$'
lt_log "ok: logind's own inhibitor check, its message on one line"

refused /ML /I
lt_expect_journal '^nocturo: Logout refused: no session manager on the session bus$'
lt_log "ok: no session manager"

DBUS_SYSTEM_BUS_ADDRESS=unix:path=$LT_TMP/no-system-bus refused /MR /I
lt_expect_journal '^nocturo: Reboot refused: no system bus: org\.freedesktop\.DBus\.Error\.[A-Za-z]+: .'
lt_log "ok: no system bus"
