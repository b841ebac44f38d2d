#!/usr/bin/env bash
# Builds Nocturo and starts it under Wine with the given arguments, e.g.
#   scripts/run.sh /S          the main window
#   scripts/run.sh /D005 /E /S a five-minute count
#
# Which executable runs: the real 32-bit nocturo.exe whenever 32-bit programs
# run here, natively or through qemu emulation (then it takes about a minute
# to start, and finding out takes about as long); otherwise the 64-bit test
# build of the same sources, with the reason. NOCTURO_ARCH=i686 or x64
# chooses without asking.
#
# With DISPLAY set, the program appears there (inside a 1024x768 Wine virtual
# desktop with a taskbar) and the script waits until it ends. Without DISPLAY,
# a private Xvfb server is started; the script leaves a screenshot in
# build/run/screenshot.png, then ends the program and the server.
#
# The Wine prefix is kept between runs in ~/.cache/nocturo/run-prefix, so the
# saved window position survives like on a real machine.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

"$root/scripts/install-deps.sh"
cmake --preset windows >/dev/null && cmake --build --preset windows
cmake --preset windows-x64 >/dev/null && cmake --build --preset windows-x64

# shellcheck source=../tests/e2e/lib.sh
source "$root/tests/e2e/lib.sh"

arch=${NOCTURO_ARCH:-}
e2e_ensure_template
prefix=$(e2e_cache_dir)/run-prefix
# A changed template (new settings, or a 32-bit half it lacked before) makes
# the kept prefix anew.
if ! cmp -s "$prefix/.nocturo-ready" "$(e2e_template_dir)/.nocturo-ready" ||
  [[ $(e2e_syswow64_state "$prefix") != "$(e2e_syswow64_state "$(e2e_template_dir)")" ]]; then
  rm -rf "$prefix"
  cp -a "$(e2e_template_dir)" "$prefix"
fi
export WINEPREFIX=$prefix WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="

out=$root/build/run
mkdir -p "$out"
xvfb_pid=
nocturo_pid=
cleanup() {
  [[ -n $nocturo_pid ]] && kill "$nocturo_pid" 2>/dev/null
  if [[ -n $xvfb_pid ]]; then
    "$WINESERVER_BIN" -k 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
  fi
}
trap cleanup EXIT

if [[ -z ${DISPLAY:-} ]]; then
  # shellcheck source=lib/private-display.sh
  source "$root/scripts/lib/private-display.sh"
  start_private_display "$out/xvfb.log" || exit 1
  echo "run: private X display $DISPLAY"
fi

"$WINESERVER_BIN" -p
if [[ -z $arch ]]; then
  echo "run: can this machine run the 32-bit nocturo.exe? (a test program, about a minute under qemu)"
  E2E_WORK=$out # where e2e_probe_i686 keeps its output
  export E2E_WORK
  if reason=$(e2e_probe_i686); then
    arch=i686
    echo "run: starting the real 32-bit nocturo.exe"
  else
    arch=x64
    echo "run: starting the 64-bit build of the same sources instead of the 32-bit nocturo.exe: $reason"
  fi
fi
start_timeout=20
if [[ $arch == i686 ]]; then
  e2e_enable_i386 || exit 1
  # Under qemu a start takes about a minute, more on a busy machine.
  grep -qx enabled /proc/sys/fs/binfmt_misc/qemu-i386 2>/dev/null && start_timeout=300
fi
loader=$WINE64
[[ $arch == i686 ]] && loader=$WINE32
exe=$(e2e_exe "$arch" nocturo)
driver() { "$WINE64" "$(e2e_exe x64 nocturo_driver)" "$@" 2>/dev/null; }

echo "run: $exe $*"
"$loader" "$exe" "$@" &
nocturo_pid=$!

# The About window exists from start-up on, whether or not a window shows.
if ! e2e_poll "$start_timeout" driver wait-window acercade exists 1000 &&
  ! driver wait-window principal exists 1000 >/dev/null; then
  if ! kill -0 "$nocturo_pid" 2>/dev/null; then
    wait "$nocturo_pid" && status=0 || status=$?
    nocturo_pid=
    echo "run: nocturo.exe ended (exit code $status) without showing a window"
  else
    echo "run: no window of the program after ${start_timeout}s" >&2
  fi
fi
if [[ " ${*^^} " == *"/S"* ]]; then
  e2e_poll 10 driver wait-window principal visible 1000 || true
fi
# A slow (emulated) program may still be painting: wait until two screenshots
# in a row are the same (a running count never is; hence the short limit).
shot=$out/screenshot.png previous=$out/previous.png
import -display "$DISPLAY" -window root "$shot"
deadline=$((SECONDS + (start_timeout > 20 ? 20 : 3)))
while ((SECONDS < deadline)); do
  sleep 1
  mv "$shot" "$previous"
  import -display "$DISPLAY" -window root "$shot"
  [[ $(compare -metric AE "$previous" "$shot" null: 2>&1) == 0 ]] && break
done
rm -f "$previous"
echo "run: screenshot in $shot"

if [[ -z $xvfb_pid && -n $nocturo_pid ]]; then
  echo "run: waiting for nocturo.exe to end"
  wait "$nocturo_pid" || true
  nocturo_pid=
fi
