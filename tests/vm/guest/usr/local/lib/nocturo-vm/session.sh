#!/bin/bash
# The tester's side of the steps, run by the tty1 autologin: an X server, then
# for each step her inhibitor if it asks for one and the program (or
# xfce4-session) on a session bus of its own, its output in the journal under
# "nocturo". Steps already started (before a log off ended the session) are
# not started again.
set -u
# shellcheck source=steps.sh
source /usr/local/lib/nocturo-vm/steps.sh
export DISPLAY=:0

say() { echo "nocturo-vm: $*" | systemd-cat -t nocturo-vm-session; }

remaining=()
for step in "${steps[@]}"; do
  [[ -e $run/${step%%,*}.started ]] || remaining+=("$step")
done
((${#remaining[@]})) || exec sleep infinity

# After a log off, the ended session's X server left its socket and lock.
rm -f /tmp/.X11-unix/X0 /tmp/.X0-lock
Xvfb :0 -nolisten tcp -screen 0 1024x768x24 >/dev/null 2>&1 &
deadline=$((SECONDS + 60))
until [[ -S /tmp/.X11-unix/X0 ]] || ((SECONDS >= deadline)); do sleep 0.2; done

for step in "${remaining[@]}"; do
  IFS=, read -r name setup arguments <<<"$step"
  arguments=${arguments//+/ }
  [[ $arguments == - ]] && arguments=
  deadline=$((SECONDS + 600))
  until [[ -e $run/$name.go ]] || ((SECONDS >= deadline)); do sleep 0.2; done
  touch "$run/$name.started"
  # The tester's own inhibitor is taken in her session: polkit lets only a
  # session's processes take one without a password.
  inhibitor=
  if [[ $setup == user-inhibitor ]]; then
    systemd-inhibit --what=shutdown --mode=block --who=nocturo-vm --why="held by tester" sleep 1d &
    inhibitor=$!
    deadline=$((SECONDS + 30))
    until systemd-inhibit --list --no-legend 2>/dev/null | grep -q nocturo-vm || ((SECONDS >= deadline)); do
      sleep 0.2
    done
    say "step $name: inhibitors: $(systemd-inhibit --list --no-legend 2>/dev/null | grep nocturo-vm | tr -s ' ')"
  fi
  if [[ $setup == xfce ]]; then
    dbus-run-session -- /usr/local/lib/nocturo-vm/xfce.sh "$name" "$arguments"
  elif [[ $setup == app-scope ]]; then
    # As GNOME Shell starts an application: in a scope of her service
    # manager, outside the login session, without XDG_SESSION_ID.
    deadline=$((SECONDS + 60))
    until [[ $(systemctl --user is-system-running 2>/dev/null) =~ ^(running|degraded)$ ]] ||
      ((SECONDS >= deadline)); do
      sleep 0.2
    done
    # shellcheck disable=SC2086 # the arguments are words
    systemd-run --user --scope --quiet --unit="app-nocturo-vm-$name" -- \
      /usr/local/lib/nocturo-vm/app-scope.sh "$name" $arguments
  else
    say "step $name: starting nocturo $arguments"
    # shellcheck disable=SC2086 # the arguments are words
    dbus-run-session -- timeout 120 systemd-cat -t nocturo /usr/local/bin/nocturo $arguments
  fi
  status=$?
  [[ -n $inhibitor ]] && kill "$inhibitor"
  echo "$status" >"$run/$name.done"
done
exec sleep infinity
