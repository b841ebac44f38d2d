#!/usr/bin/env bash
# lt-timeout: 120
# scripts/run-linux.sh without a display keeps to itself and cleans up: an
# unforced log off (/ML /I) reaches no session manager on the caller's
# session bus (an Xfce stand-in here, as over SSH into a desktop session);
# after /MA /I, refused for want of a system bus, the script ends with the
# program's status 0 and its Xvfb has ended.
source "$(dirname "$0")/../lib.sh"
lt_setup
lt_start_xfce_session

# run_script ARGS...: the script as a user without a display runs it, on the
# program already built; checks its status and its Xvfb.
run_script() {
  local log=$LT_TMP/log/run-linux.$((++runs)).log pid status xvfb
  lt_private_run env -u DISPLAY -u WAYLAND_DISPLAY NOCTURO_LINUX_BIN="$LT_BIN" \
    "$LT_ROOT/scripts/run-linux.sh" "$@" >"$log" 2>&1 &
  pid=$!
  lt_started $pid
  lt_wait_for 60 "scripts/run-linux.sh $* to end" lt_gone "$pid"
  status=0
  wait "$pid" || status=$?
  xvfb=$(sed -nE 's/.*\(Xvfb PID ([0-9]+)\).*/\1/p' "$log")
  [[ -n $xvfb ]] || lt_fail "scripts/run-linux.sh $* started no Xvfb of its own: $(cat "$log")"
  if ! lt_poll 5 lt_gone "$xvfb"; then
    lt_started "$xvfb"
    lt_fail "scripts/run-linux.sh $* left its Xvfb (PID $xvfb) running"
  fi
  ((status == 0)) || lt_fail "scripts/run-linux.sh $* exited $status, not the program's 0: $(tail -n 5 "$log")"
  grep -qx 'run: the program ended (exit code 0)' "$log" || lt_fail "the program did not end by itself: $(cat "$log")"
  lt_log "ok: scripts/run-linux.sh $* exited 0 and its Xvfb (PID $xvfb) is gone"
}
runs=0

run_script /ML /I
[[ ! -s $LT_XFCE_LOG ]] ||
  lt_fail "scripts/run-linux.sh's log off reached the caller's session manager: $(cat "$LT_XFCE_LOG")"
lt_log "ok: the caller's session manager heard nothing"
run_script /MA /I
