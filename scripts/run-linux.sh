#!/usr/bin/env bash
# Builds the native Linux program and starts it with the given arguments, e.g.
#   scripts/run-linux.sh /S           the main window
#   scripts/run-linux.sh /D005 /E /S  a five-minute count
#
# This is the real program: on a desktop session its power requests go to
# this machine's systemd-logind, so a count that ends, or /I, really powers
# off, restarts or logs off the machine it runs on.
#
# With DISPLAY set, the program appears there, on the desktop's own tray, and
# the script waits until it ends. Without DISPLAY, the program gets a private
# Xvfb server and a private session bus, and the system bus is pointed
# nowhere, so that nobody's machine or session goes down unwatched (a power
# request is refused, as with no logind, and a log off reaches no session
# manager, e.g. over SSH into a desktop session); the script leaves a
# screenshot in build/run/linux-screenshot.png, then ends the program and
# what it started. Its exit status is the program's when the program ended
# by itself, otherwise 0.
#
# NOCTURO_LINUX_BIN=PATH runs that program instead of building one.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

program=${NOCTURO_LINUX_BIN:-}
if [[ -z $program ]]; then
  "$root/scripts/install-deps.sh" --linux
  cmake --preset linux >/dev/null && cmake --build --preset linux
  program=$root/build/linux/nocturo
fi

if [[ -n ${DISPLAY:-} || -n ${WAYLAND_DISPLAY:-} ]]; then
  echo "run: $program $*"
  echo "run: this is the real program: its power requests act on this machine"
  exec "$program" "$@"
fi

if ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null || ! command -v import >/dev/null ||
  ! command -v dbus-daemon >/dev/null; then
  echo "run: no display, and the private one needs xvfb, xdotool, imagemagick and dbus" >&2
  echo "run: (scripts/install-deps.sh installs them)" >&2
  exit 1
fi

out=$root/build/run
mkdir -p "$out"
xvfb_pid='' bus_pid='' nocturo_pid='' private=''
# Ends what the script started, by PID, whatever has already ended; it runs
# under set -e, so no step may fail.
# shellcheck disable=SC2317 # called by the trap or lt_poll
cleanup() {
  local pid
  for pid in $nocturo_pid $bus_pid $xvfb_pid; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  [[ -z $private ]] || rm -rf "$private"
}
trap cleanup EXIT

# lt_poll, the scenarios' wait with a deadline.
# shellcheck source=../tests/linux/lib.sh
source "$root/tests/linux/lib.sh"

# shellcheck source=lib/private-display.sh
source "$root/scripts/lib/private-display.sh"
start_private_display "$out/xvfb.log" || exit 1
export DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent/nocturo-run
# A session bus of its own that starts no services: the user's session
# manager (a log off) and tray are out of reach.
private=$(mktemp -d)
cat >"$private/session.conf" <<EOF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path=$private/bus</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
EOF
dbus-daemon --config-file="$private/session.conf" --nofork --print-address=3 \
  3>"$private/address" >"$out/session-bus.log" 2>&1 &
bus_pid=$!
lt_poll 10 test -s "$private/address" || { echo "run: no private session bus, see $out/session-bus.log" >&2; exit 1; }
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$private/address")
export DBUS_SESSION_BUS_ADDRESS
echo "run: private X display $DISPLAY (Xvfb PID $xvfb_pid) and session bus, no system bus: power requests are refused"

echo "run: $program $*"
"$program" "$@" &
nocturo_pid=$!

# shellcheck disable=SC2317 # called by the trap or lt_poll
shown() { xdotool search --onlyvisible --pid "$nocturo_pid" >/dev/null 2>&1; }
if [[ " ${*^^} " == *" /I "* ]]; then
  # It acts and ends by itself: its status is the script's.
  lt_poll 30 lt_gone "$nocturo_pid" || echo "run: the program still runs 30 s after /I" >&2
elif [[ " ${*^^} " == *"/S"* ]]; then
  lt_poll 10 shown || echo "run: no window of the program after 10 s" >&2
fi
status=0
# ended: when the program has ended, takes its status and forgets its PID.
ended() {
  [[ -n $nocturo_pid ]] && ! kill -0 "$nocturo_pid" 2>/dev/null || return 0
  wait "$nocturo_pid" || status=$?
  nocturo_pid=
  echo "run: the program ended (exit code $status)"
}
ended
# The window may still be painting: wait, briefly (a running count never
# stands still), until two screenshots in a row are the same.
shot=$out/linux-screenshot.png previous=$out/previous.png
import -display "$DISPLAY" -window root "$shot"
# shellcheck disable=SC2317 # called by the trap or lt_poll
same() {
  mv "$shot" "$previous"
  import -display "$DISPLAY" -window root "$shot"
  [[ $(compare -metric AE "$previous" "$shot" null: 2>&1) == 0 ]]
}
lt_poll 3 same || true
rm -f "$previous"
echo "run: screenshot in $shot"
ended
exit "$status"
