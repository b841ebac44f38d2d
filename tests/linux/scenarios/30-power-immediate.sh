#!/usr/bin/env bash
# The immediate action from the command line reaches logind with exactly the
# calls the choice asks for, and the program ends at once, before its tray
# item exists, having saved its position:
#   /MR /I       an old logind (no ...WithFlags): inhibitors checked, Reboot(false)
#   /MA /I       inhibitors checked, PowerOffWithFlags(1): root too stops at a block
#   /F /MR /I    forced: Reboot(false), no inhibitor check
#   /F /ML /I    forced log off: this session ended, TerminateSession("c1");
#                started outside a session (no XDG_SESSION_ID), logind's "auto"
#   /ML /I       log off: the desktop's session manager asked, logind untouched:
#                Xfce's as Logout(false, true), no dialog but programs may
#                save, GNOME's as Logout(1)
#   /MA /I       with a block inhibitor held: no power off at all
source "$(dirname "$0")/../lib.sh"
lt_setup
lt_start_watcher
lt_start_logind

# immediate EXPECTED ARGS...: one run of the program.
immediate() {
  local expected=$1
  shift
  lt_clear_logind_calls
  lt_start_nocturo "$@"
  lt_wait_exit 15
  ((LT_EXIT == 0)) || lt_fail "nocturo $* ended with status $LT_EXIT"
  lt_expect_logind_calls "$expected"
  (($(lt_item_count) == 0)) || lt_fail "nocturo $* registered a tray item"
}

immediate $'ListInhibitors\nReboot False' /MR /I
grep -qxE 'PosX=-?[0-9]+' "$(lt_conf)" && grep -qxE 'PosY=-?[0-9]+' "$(lt_conf)" ||
  lt_fail "the position was not saved: $(cat "$(lt_conf)" 2>&1)"

lt_logind_mock AddMethod sssss org.freedesktop.login1.Manager PowerOffWithFlags t '' '' >/dev/null
lt_logind_mock AddMethod sssss org.freedesktop.login1.Manager RebootWithFlags t '' '' >/dev/null
immediate $'ListInhibitors\nPowerOffWithFlags 1' /MA /I
immediate 'Reboot False' /i /f /mr
immediate 'TerminateSession "c1"' /ML /F /I
unset XDG_SESSION_ID
immediate 'TerminateSession "auto"' /ML /F /I
export XDG_SESSION_ID=c1

# Xfce's session manager takes the unforced log off without its dialog.
lt_start_xfce_session
immediate '' /ML /I
grep -qxE '[0-9.]+ Logout False True' "$LT_XFCE_LOG" ||
  lt_fail "Xfce's session manager was not asked Logout(false, true) (no dialog, programs may save): $(cat "$LT_XFCE_LOG" 2>&1)"
lt_log "ok: Xfce's session manager was asked: Logout False True"

# A GNOME session manager on the session bus takes the unforced log off
# (GNOME's is asked first when both are there).
gnome_log=$LT_TMP/log/gnome-session.calls
"$LT_PY" -m dbusmock org.gnome.SessionManager /org/gnome/SessionManager org.gnome.SessionManager \
  --logfile "$gnome_log" >"$LT_TMP/log/gnome-session.log" 2>&1 &
lt_started $!
lt_wait_for 20 "the session manager mock" lt_has_owner session org.gnome.SessionManager
gdbus call --session -d org.gnome.SessionManager -o /org/gnome/SessionManager \
  -m org.freedesktop.DBus.Mock.AddMethod '' Logout u '' '' >/dev/null
immediate '' /ML /I
grep -qE '^[0-9.]+ Logout 1$' "$gnome_log" || lt_fail "the session manager got: $(cat "$gnome_log")"
lt_log "ok: the session manager was asked: Logout 1 (no confirmation dialog)"

lt_logind_mock AddMethod sssss org.freedesktop.login1.Manager ListInhibitors '' 'a(ssssuu)' \
  'ret = [("shutdown:sleep", "editor", "unsaved work", "block", 1000, 4242)]' >/dev/null
immediate 'ListInhibitors' /MA /I
lt_log "ok: a block inhibitor stops the unforced power off"
