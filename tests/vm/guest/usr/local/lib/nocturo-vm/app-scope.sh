#!/bin/bash
# A step's program run as an application the desktop started: says where it
# runs (its control group and whether XDG_SESSION_ID is set), then runs it
# without XDG_SESSION_ID on a session bus of its own.
#
#   app-scope.sh NAME [ARGUMENT...]
set -u
name=$1
shift
say() { echo "nocturo-vm: $*" | systemd-cat -t nocturo-vm-session; }

say "step $name: starting nocturo $* in $(cut -d: -f3- /proc/self/cgroup)" \
  "without XDG_SESSION_ID (the session's was ${XDG_SESSION_ID:-unset})"
exec env -u XDG_SESSION_ID dbus-run-session -- timeout 120 systemd-cat -t nocturo /usr/local/bin/nocturo "$@"
