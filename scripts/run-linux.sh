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
# the script waits until it ends. Without DISPLAY, a private Xvfb server is
# started and the system bus is pointed nowhere, so that nobody's machine goes
# down unwatched (a power request is refused, as with no logind); the script
# leaves a screenshot in build/run/linux-screenshot.png, then ends the program
# and the server.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

"$root/scripts/install-deps.sh" --linux
cmake --preset linux >/dev/null && cmake --build --preset linux
program=$root/build/linux/nocturo

if [[ -n ${DISPLAY:-} || -n ${WAYLAND_DISPLAY:-} ]]; then
  echo "run: $program $*"
  echo "run: this is the real program: its power requests act on this machine"
  exec "$program" "$@"
fi

command -v Xvfb >/dev/null && command -v xdotool >/dev/null && command -v import >/dev/null || {
  echo "run: no display, and the private one needs xvfb, xdotool and imagemagick" >&2
  echo "run: (scripts/install-deps.sh installs them)" >&2
  exit 1
}

out=$root/build/run
mkdir -p "$out"
xvfb_pid= nocturo_pid=
cleanup() {
  [[ -n $nocturo_pid ]] && kill "$nocturo_pid" 2>/dev/null
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
  true
}
trap cleanup EXIT

# lt_poll, the scenarios' wait with a deadline.
# shellcheck source=../tests/linux/lib.sh
source "$root/tests/linux/lib.sh"

fdfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" >"$out/xvfb.log" 2>&1 &
xvfb_pid=$!
lt_poll 30 test -s "$fdfile" || { echo "run: Xvfb did not start, see $out/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(tr -d '\n' <"$fdfile")"
rm -f "$fdfile"
export DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent/nocturo-run
echo "run: private X display $DISPLAY, no system bus: power requests are refused"

echo "run: $program $*"
"$program" "$@" &
nocturo_pid=$!

shown() { xdotool search --onlyvisible --pid "$nocturo_pid" >/dev/null 2>&1; }
if [[ " ${*^^} " == *"/S"* ]]; then
  lt_poll 10 shown || echo "run: no window of the program after 10 s" >&2
fi
if ! kill -0 "$nocturo_pid" 2>/dev/null; then
  wait "$nocturo_pid" && status=0 || status=$?
  nocturo_pid=
  echo "run: the program ended (exit code $status)"
fi
# The window may still be painting: wait, briefly (a running count never
# stands still), until two screenshots in a row are the same.
shot=$out/linux-screenshot.png previous=$out/previous.png
import -display "$DISPLAY" -window root "$shot"
same() {
  mv "$shot" "$previous"
  import -display "$DISPLAY" -window root "$shot"
  [[ $(compare -metric AE "$previous" "$shot" null: 2>&1) == 0 ]]
}
lt_poll 3 same || true
rm -f "$previous"
echo "run: screenshot in $shot"
