#!/bin/bash
# A step inside a session run by xfce4-session: starts it, waits until it
# owns org.xfce.SessionManager, runs the program when there are arguments
# (none: the control) and says whether xfce4-session ended within the window.
#
#   xfce.sh NAME [ARGUMENTS]
set -u
name=$1
arguments=${2:-}
window=15

say() { echo "nocturo-vm: $*" | systemd-cat -t nocturo-vm-session; }
owned() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.xfce.SessionManager 2>/dev/null | grep -q 'boolean true'
}

systemd-cat -t xfce4-session xfce4-session &
manager=$!
deadline=$((SECONDS + 60))
until owned || ((SECONDS >= deadline)); do sleep 0.2; done
if ! owned; then
  say "step $name: xfce4-session (pid $manager) did not own org.xfce.SessionManager within 60 s"
  kill "$manager" 2>/dev/null
  exit 1
fi
say "step $name: xfce4-session (pid $manager) owns org.xfce.SessionManager"

# It refuses to log off while it is still starting the session's clients:
# wait for its idle state (1), as a user's click would come later.
idle() {
  dbus-send --session --print-reply --dest=org.xfce.SessionManager /org/xfce/SessionManager \
    org.xfce.Session.Manager.GetState 2>/dev/null | grep -q 'uint32 1$'
}
deadline=$((SECONDS + 60))
until idle || ((SECONDS >= deadline)); do sleep 0.2; done
if idle; then
  say "step $name: xfce4-session is idle"
else
  say "step $name: xfce4-session not idle within 60 s: $(dbus-send --session --print-reply \
    --dest=org.xfce.SessionManager /org/xfce/SessionManager org.xfce.Session.Manager.GetState 2>&1 | tr '\n' ' ')"
fi

# The program ends once it has asked; the window runs from then (from the
# manager's start in the control), however long the program took to start.
if [[ -n $arguments ]]; then
  say "step $name: starting nocturo $arguments"
  # shellcheck disable=SC2086 # the arguments are words
  timeout 120 systemd-cat -t nocturo /usr/local/bin/nocturo $arguments
  say "step $name: nocturo ended"
fi
start=$SECONDS
while kill -0 "$manager" 2>/dev/null && ((SECONDS - start < window)); do sleep 0.2; done
if kill -0 "$manager" 2>/dev/null; then
  say "step $name: xfce4-session (pid $manager) still running $window s later"
  kill "$manager"
else
  say "step $name: xfce4-session (pid $manager) ended $((SECONDS - start)) s later"
fi
exit 0
