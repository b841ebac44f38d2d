#!/bin/bash
# Root's side of the steps: holds root's inhibitor, reports logind's sessions,
# lets the tester's session start each step and says whether the machine is
# still up some seconds after it. Its lines go to the serial console through
# the journal, beginning "nocturo-vm: ".
set -u
# shellcheck source=steps.sh
source /usr/local/lib/nocturo-vm/steps.sh

hold=10       # seconds the machine must stay up after the program ended
step_limit=150

say() { echo "nocturo-vm: $*"; }

# The tester's session: on seat0, tty1 and active.
session_state() {
  loginctl show-session "$1" -p Name -p Seat -p TTY -p Active -p State 2>/dev/null | tr '\n' ' '
}
# Gone, or on its way: logind's "closing".
session_gone() {
  local state
  state=$(session_state "$1")
  [[ -z $state || $state == *State=closing* ]]
}
report_sessions() {
  local id
  for id in $(loginctl list-sessions --no-legend | awk '{print $1}'); do
    say "session $id: $(session_state "$id")"
  done
}

# A desktop has polkit running already: started before the steps, unless a
# step of this boot wants it slow to start on demand (the drop-in
# polkit.service.d/nocturo-vm-slow.conf), which the program's request must
# outwait.
if [[ " ${steps[*]}" == *,slow-polkit,* ]]; then
  say "polkit left to start on demand"
elif systemctl start polkit.service; then
  say "polkit is running"
else
  say "polkit did not start"
fi

mkdir -p "$run"
chown tester: "$run"

# The tester's active seat0 session on tty1, waited for: the autologin makes
# a new one after a log off.
tester_session() {
  local deadline=$((SECONDS + 180)) id state
  while ((SECONDS < deadline)); do
    for id in $(loginctl list-sessions --no-legend | awk '{print $1}'); do
      state=$(session_state "$id")
      if [[ $state == *Name=tester* && $state == *Seat=seat0* && $state == *TTY=tty1* &&
        $state == *Active=yes* && $state == *State=active* ]]; then
        echo "$id"
        return 0
      fi
    done
    sleep 0.5
  done
  return 1
}

for step in "${steps[@]}"; do
  IFS=, read -r name setup _ <<<"$step"
  say "step $name begins"
  if ! session=$(tester_session); then
    report_sessions
    say "step $name: no active seat0 session of tester on tty1 within 180 s"
    systemctl poweroff
    exit 1
  fi
  say "step $name: active session $session"
  [[ $setup == slow-polkit ]] && say "step $name: polkit.service $(systemctl is-active polkit.service)"
  inhibitor=
  if [[ $setup == root-inhibitor ]]; then
    systemd-inhibit --what=shutdown --mode=block --who=nocturo-vm --why="held by root" sleep 1d &
    inhibitor=$!
  fi
  if [[ -n $inhibitor ]]; then
    deadline=$((SECONDS + 30))
    until systemd-inhibit --list --no-legend 2>/dev/null | grep -q nocturo-vm || ((SECONDS >= deadline)); do
      sleep 0.2
    done
    say "step $name: inhibitors: $(systemd-inhibit --list --no-legend 2>/dev/null | grep nocturo-vm | tr -s ' ')"
  fi

  touch "$run/$name.go"
  deadline=$((SECONDS + step_limit))
  while ((SECONDS < deadline)); do
    [[ -e $run/$name.done ]] && break
    session_gone "$session" && break
    sleep 0.2
  done
  if [[ -e $run/$name.done ]]; then
    say "step $name: the session's side ended (exit $(cat "$run/$name.done"))"
  elif session_gone "$session"; then
    say "step $name: session $session is gone or closing"
  else
    say "step $name: the session's side did not end within $step_limit s"
  fi
  sleep "$hold"
  say "step $name: still up $hold s after the step ended"
  report_sessions
  [[ -n $inhibitor ]] && kill "$inhibitor"
done
say "all steps done"
systemctl poweroff
