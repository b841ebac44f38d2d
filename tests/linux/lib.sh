# Harness for the Linux program's scenarios: per scenario a throwaway HOME and
# XDG directories, an Xvfb display, a private session bus and a private system
# bus, and on demand logind (python3-dbusmock's template on the system bus),
# the accessibility bus, our own tray watcher on the session bus and our own
# X11 tray manager on the display.
# Source it from bash; lt_setup registers lt_cleanup on EXIT, which ends only
# the processes started here, by PID, and removes the throwaway directory.

LT_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
LT_ROOT=$(cd "$LT_DIR/../.." && pwd)
LT_PY=/usr/bin/python3
LT_BIN=${NOCTURO_LINUX_BIN:-$LT_ROOT/build/linux/nocturo}
# Logs and dumps of a suite run.
LT_OUT=${LT_OUT:-$LT_ROOT/build/linux-e2e}

lt_log() { printf '[%(%H:%M:%S)T] %s\n' -1 "$*" >&2; }
lt_fail() {
  lt_log "FAIL: $*"
  exit 1
}
lt_skip() {
  echo "$*"
  exit 77
}

# lt_wait_for TIMEOUT DESCRIPTION COMMAND...: runs COMMAND every 0.1 s until
# it succeeds; fails the scenario at the deadline.
lt_wait_for() {
  local timeout=$1 what=$2
  shift 2
  lt_poll "$timeout" "$@" || lt_fail "timed out after ${timeout}s waiting for $what"
}

# lt_poll TIMEOUT COMMAND...: like lt_wait_for, but returns 1 at the deadline.
# COMMAND runs in a subshell, so a check that fails the scenario only fails
# that attempt.
lt_poll() {
  local deadline=$((SECONDS + $1))
  shift
  until ("$@") >/dev/null 2>&1; do
    ((SECONDS >= deadline)) && return 1
    sleep 0.1
  done
}

lt_alive() { kill -0 "$1" 2>/dev/null; }
lt_gone() { ! lt_alive "$1"; }

LT_PIDS=()
lt_cleanup() {
  local status=$? pid i
  # Last started, first ended: the program before the buses it uses.
  for ((i = ${#LT_PIDS[@]} - 1; i >= 0; i--)); do
    pid=${LT_PIDS[$i]}
    lt_alive "$pid" && kill "$pid" 2>/dev/null
  done
  for pid in "${LT_PIDS[@]}"; do
    lt_poll 5 lt_gone "$pid" || kill -KILL "$pid" 2>/dev/null
  done
  if [[ -n ${LT_TMP:-} && -d $LT_TMP ]]; then
    if ((status != 0 && status != 77)); then
      mkdir -p "$LT_ART" && cp -r "$LT_TMP/log/." "$LT_ART/" 2>/dev/null
    fi
    rm -rf "$LT_TMP"
  fi
  exit "$status"
}

# lt_started PID: the process is ours to end.
lt_started() { LT_PIDS+=("$1"); }

# lt_setup: throwaway directories, display and both buses.
lt_setup() {
  LT_NAME=${LT_RUN_NAME:-$(basename "$0" .sh)}
  LT_ART=$LT_OUT/$LT_NAME
  rm -rf "$LT_ART"
  LT_TMP=$(mktemp -d "${TMPDIR:-/tmp}/nocturo-linux.XXXXXX")
  trap lt_cleanup EXIT
  trap 'exit 143' TERM INT
  mkdir -p "$LT_TMP"/{home,config,runtime,cache,data,log}
  chmod 700 "$LT_TMP/runtime"
  export HOME=$LT_TMP/home XDG_CONFIG_HOME=$LT_TMP/config XDG_RUNTIME_DIR=$LT_TMP/runtime
  export XDG_CACHE_HOME=$LT_TMP/cache XDG_DATA_HOME=$LT_TMP/data
  export XDG_SESSION_ID=c1 XDG_SESSION_TYPE=x11
  # Nothing from the calling desktop may leak in.
  unset DBUS_SESSION_BUS_ADDRESS DBUS_SYSTEM_BUS_ADDRESS AT_SPI_BUS_ADDRESS WAYLAND_DISPLAY
  unset XDG_CURRENT_DESKTOP DESKTOP_SESSION QT_QPA_PLATFORMTHEME SESSION_MANAGER
  export QT_QPA_PLATFORM=xcb LANG=C.UTF-8 LC_ALL=C.UTF-8
  # How a menu item is chosen: with the pointer where a test can drive it,
  # through its accessible action under weston, whose Xwayland takes no
  # pointer from xdotool either.
  LT_CHOOSE=--click
  [[ ${LT_SESSION:=x11} == x11 ]] || LT_CHOOSE=--press
  case $LT_SESSION in
    x11) lt_start_display 1280x1024 ;;
    # A Wayland session as GNOME and Plasma start one, with XWayland's
    # display: the program chooses its platform itself.
    wayland-x)
      lt_start_weston --xwayland
      unset QT_QPA_PLATFORM
      ;;
    # No X server: the program runs on Wayland, as a user who sets
    # QT_QPA_PLATFORM=wayland has it.
    wayland)
      lt_start_weston
      unset DISPLAY
      export QT_QPA_PLATFORM=wayland
      ;;
    *) lt_fail "unknown LT_SESSION $LT_SESSION (x11, wayland, wayland-x)" ;;
  esac
  lt_start_bus session
  lt_start_bus system
}

# lt_start_display WxH: an Xvfb server of that screen size.
lt_start_display() {
  local fdfile=$LT_TMP/displayfd
  : >"$fdfile"
  Xvfb -displayfd 3 -screen 0 "${1}x24" -dpi 96 -nolisten tcp -noreset \
    3>"$fdfile" >"$LT_TMP/log/xvfb.log" 2>&1 &
  lt_started $!
  lt_wait_for 20 "Xvfb to pick a display" test -s "$fdfile"
  DISPLAY=":$(tr -d '\n' <"$fdfile")" && export DISPLAY
}

# lt_start_weston [--xwayland]: a headless weston on a socket in the throwaway
# runtime directory; with --xwayland, its X server's display too (weston
# starts Xwayland at the first X client).
lt_start_weston() {
  command -v weston >/dev/null || lt_skip "no weston (package weston)"
  if [[ ${1:-} == --xwayland ]]; then
    command -v Xwayland >/dev/null || lt_skip "no Xwayland (package xwayland)"
  elif [[ -z $(find /usr/lib -path '*/qt6/plugins/platforms/libqwayland-generic.so' -print -quit) ]]; then
    lt_skip "no Qt Wayland platform (package qt6-wayland)"
  fi
  local log=$LT_TMP/log/weston.log
  weston --backend=headless-backend.so --socket=nocturo-wayland --width=1280 --height=1024 \
    --idle-time=0 "$@" >"$log" 2>&1 &
  lt_started $!
  lt_wait_for 20 "weston's socket" test -S "$XDG_RUNTIME_DIR/nocturo-wayland"
  export WAYLAND_DISPLAY=nocturo-wayland XDG_SESSION_TYPE=wayland
  if [[ ${1:-} == --xwayland ]]; then
    lt_wait_for 20 "weston's X display" grep -q 'xserver listening on display :' "$log"
    DISPLAY=$(sed -nE 's/.*xserver listening on display (:[0-9]+).*/\1/p' "$log" | head -n 1) && export DISPLAY
  fi
}

# lt_start_bus session|system: a dbus-daemon of our own with a policy that
# lets this user own and call anything; exports its address.
lt_start_bus() {
  local type=$1 config=$LT_TMP/$1-bus.conf addr=$LT_TMP/$1-bus.address
  cat >"$config" <<EOF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>$type</type>
  <listen>unix:path=$LT_TMP/$type-bus</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_type="method_call"/>
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
  </policy>
</busconfig>
EOF
  : >"$addr"
  dbus-daemon --config-file="$config" --nofork --print-address=3 3>"$addr" \
    >"$LT_TMP/log/$type-bus.log" 2>&1 &
  lt_started $!
  lt_wait_for 10 "the private $type bus" test -s "$addr"
  if [[ $type == session ]]; then
    DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$addr") && export DBUS_SESSION_BUS_ADDRESS
  else
    DBUS_SYSTEM_BUS_ADDRESS=$(head -n 1 "$addr") && export DBUS_SYSTEM_BUS_ADDRESS
  fi
}

# lt_has_owner session|system NAME
lt_has_owner() {
  gdbus call --"$1" -d org.freedesktop.DBus -o /org/freedesktop/DBus \
    -m org.freedesktop.DBus.NameHasOwner "$2" 2>/dev/null | grep -q true
}

# lt_start_logind: logind played by python3-dbusmock, with this user's
# graphical session c1; its calls are logged to $LT_LOGIND_LOG.
LT_LOGIND_LOG=
lt_start_logind() {
  LT_LOGIND_LOG=$LT_TMP/log/logind.calls
  "$LT_PY" -m dbusmock --system --template logind --logfile "$LT_LOGIND_LOG" \
    >"$LT_TMP/log/logind.log" 2>&1 &
  LT_LOGIND_PID=$!
  lt_started $LT_LOGIND_PID
  lt_wait_for 20 "the logind mock" lt_has_owner system org.freedesktop.login1
  lt_logind_mock AddSeat s seat0 >/dev/null
  lt_logind_mock AddSession ssusb c1 seat0 "$(id -u)" "$(id -un)" true >/dev/null
}

# lt_logind_mock METHOD SIGNATURE ARGS...: a call on the mock's control interface.
lt_logind_mock() {
  local method=$1
  shift 2
  gdbus call --system -d org.freedesktop.login1 -o /org/freedesktop/login1 \
    -m "org.freedesktop.DBus.Mock.$method" "$@"
}

# lt_logind_calls: the calls logind received, one a line, "Method args",
# without the mock's own bookkeeping (properties, the control interface).
lt_logind_calls() {
  tail -n +$((${LT_LOGIND_MARK:-0} + 1)) "$LT_LOGIND_LOG" 2>/dev/null | cut -d' ' -f2- |
    grep -vE '^(Add[A-Za-z]*|Get|GetAll|Set|emit|RemoveObject|Reset|ClearCalls|UpdateProperties|EmitSignal)( |$)|^[A-Za-z]+ raised: '
}
# lt_expect_logind_calls EXPECTED: the calls since the log was last cleared
# are exactly EXPECTED (lines "Method args").
lt_expect_logind_calls() {
  local got
  got=$(lt_logind_calls)
  [[ $got == "$1" ]] || lt_fail "logind received"$'\n'"${got:-(nothing)}"$'\n'"instead of"$'\n'"${1:-(nothing)}"
  lt_log "ok: logind received: ${1//$'\n'/; }"
}
# The mock keeps its log open for writing: the calls are counted from a mark.
lt_clear_logind_calls() { LT_LOGIND_MARK=$(wc -l <"$LT_LOGIND_LOG"); }

# lt_start_xfce_session: a stand-in for Xfce's session manager on the session
# bus, answering Logout(show_dialog, allow_save); its calls go to
# LT_XFCE_LOG, one a line ("TIME Logout False True").
lt_start_xfce_session() {
  LT_XFCE_LOG=$LT_TMP/log/xfce-session.calls
  "$LT_PY" -m dbusmock org.xfce.SessionManager /org/xfce/SessionManager org.xfce.Session.Manager \
    --logfile "$LT_XFCE_LOG" >"$LT_TMP/log/xfce-session.log" 2>&1 &
  lt_started $!
  lt_wait_for 20 "the Xfce session manager stand-in" lt_has_owner session org.xfce.SessionManager
  gdbus call --session -d org.xfce.SessionManager -o /org/xfce/SessionManager \
    -m org.freedesktop.DBus.Mock.AddMethod '' Logout bb '' '' >/dev/null
}

# lt_start_atspi: the accessibility bus, announced on the session bus, and
# Qt's bridge always on.
lt_start_atspi() {
  /usr/libexec/at-spi-bus-launcher --launch-immediately >"$LT_TMP/log/atspi.log" 2>&1 &
  lt_started $!
  lt_wait_for 20 "the accessibility bus" lt_has_owner session org.a11y.Bus
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0
}

# lt_start_watcher: our StatusNotifierWatcher and host; registrations are
# logged to $LT_WATCHER_LOG.
lt_start_watcher() {
  LT_WATCHER_LOG=$LT_TMP/log/watcher.${#LT_PIDS[@]}.log
  "$LT_PY" "$LT_DIR/sni_watcher.py" serve >"$LT_WATCHER_LOG" 2>&1 &
  LT_WATCHER_PID=$!
  lt_started $LT_WATCHER_PID
  lt_wait_for 10 "the tray watcher" lt_has_owner session org.kde.StatusNotifierWatcher
}

lt_stop_watcher() {
  kill "$LT_WATCHER_PID"
  lt_wait_for 10 "the tray watcher to end" lt_gone "$LT_WATCHER_PID"
}

lt_sni() { "$LT_PY" "$LT_DIR/sni_watcher.py" "$@"; }
lt_item_count() { lt_sni items 2>/dev/null | wc -l; }
lt_item_registered() { (($(lt_item_count) > 0)); }
# lt_tooltip_is TEXT / lt_tooltip_matches REGEX
lt_tooltip_is() { [[ $(lt_sni tooltip 2>/dev/null) == "$1" ]]; }
lt_tooltip_matches() { [[ $(lt_sni tooltip 2>/dev/null) =~ $1 ]]; }

lt_atspi() { "$LT_PY" "$LT_DIR/atspi_dump.py" "$@"; }

# lt_start_nocturo ARGS...: starts the program, with the environment
# assignments in LT_ENV added; sets NOCTURO_PID, NOCTURO_LOG.
LT_RUNS=0 LT_ENV=()
lt_start_nocturo() {
  [[ -x $LT_BIN ]] || lt_fail "no program at $LT_BIN (cmake --preset linux && cmake --build --preset linux)"
  LT_RUNS=$((LT_RUNS + 1))
  NOCTURO_LOG=$LT_TMP/log/nocturo.$LT_RUNS.log
  lt_private_run env "${LT_ENV[@]}" "$LT_BIN" "$@" >"$NOCTURO_LOG" 2>&1 &
  NOCTURO_PID=$!
  lt_started $NOCTURO_PID
  lt_log "started $(basename "$LT_BIN") $* (PID $NOCTURO_PID)"
}

# lt_wait_exit TIMEOUT [PID]: waits for the program to end; fails on a crash
# (a signal) and sets LT_EXIT to its exit status.
lt_wait_exit() {
  local pid=${2:-$NOCTURO_PID}
  lt_wait_for "$1" "PID $pid to end" lt_gone "$pid"
  wait "$pid"
  LT_EXIT=$?
  ((LT_EXIT < 128)) || lt_fail "PID $pid ended by signal $((LT_EXIT - 128)); log: $(tail -n 5 "$NOCTURO_LOG")"
}

# lt_expect_running [PID]: the program still runs (and has not crashed).
lt_expect_running() {
  local pid=${1:-$NOCTURO_PID}
  if lt_gone "$pid"; then
    wait "$pid"
    lt_fail "PID $pid has ended with status $?; log: $(tail -n 5 "$NOCTURO_LOG")"
  fi
}

# The program's settings file.
lt_conf() { echo "$XDG_CONFIG_HOME/Nocturo/Nocturo.conf"; }

# The program's windows through the accessibility bus.
# shellcheck disable=SC2120 # scenarios name another PID
lt_dump() { lt_atspi "${1:-$NOCTURO_PID}" >"$LT_TMP/log/atspi.dump" 2>&1 && cat "$LT_TMP/log/atspi.dump"; }
# lt_window_shown TITLE: a showing top-level window of that name.
lt_window_shown() { lt_dump "$NOCTURO_PID" | grep -qE "^[a-z ]+ \"$(lt_regex "$1")\" \[[^]]*showing"; }
lt_window_hidden() { lt_dump "$NOCTURO_PID" >/dev/null && ! lt_window_shown "$1"; }
# lt_expect_control ROLE NAME [STATE...]: the showing tree holds the control,
# with every STATE given ("!state" for one it must not have).
lt_expect_control() {
  local role=$1 name=$2 line state
  shift 2
  line=$(lt_dump "$NOCTURO_PID" | grep -E "^ *$role \"$(lt_regex "$name")\" \[" | head -n 1)
  [[ -n $line ]] || lt_fail "no $role \"$name\" in the accessible tree:$(printf '\n%s' "$(cat "$LT_TMP/log/atspi.dump")")"
  local states=${line#*\[}
  states=" ${states%%]*} "
  for state in "$@"; do
    if [[ $state == !* ]]; then
      [[ $states != *" ${state#!} "* ]] || lt_fail "$role \"$name\" is ${state#!}: $line"
    else
      [[ $states == *" $state "* ]] || lt_fail "$role \"$name\" is not $state: $line"
    fi
  done
}
lt_regex() { printf '%s' "$1" | sed 's/[][\.*^$+?(){}|/]/\\&/g'; }

# lt_tray_menu [--click|--press ITEM]: asks the item for its context menu as a
# tray host would; the popup menu must show on the accessibility bus; ITEM is
# chosen in it with the pointer or through its accessible action.
# LT_MENU_OPENER, when set, is the command that opens the menu instead.
lt_tray_menu() {
  lt_ask_tray_menu 15 "$@"
  lt_wait_for 20 "the popup menu to show" lt_gone "$LT_LISTENER"
  wait "$LT_LISTENER" || lt_fail "no popup menu${2:+ with \"$2\"}: $(cat "$LT_LISTENED")"
  # shellcheck disable=SC2034 # the scenarios read it
  LT_POPUP=$(grep -v '^listening$' "$LT_LISTENED")
}

# lt_no_tray_menu SECONDS: asks for the tray menu as lt_tray_menu does; no
# popup menu may show within SECONDS.
lt_no_tray_menu() {
  lt_ask_tray_menu "$1"
  lt_wait_for $(($1 + 10)) "the popup listener to end" lt_gone "$LT_LISTENER"
  ! wait "$LT_LISTENER" || lt_fail "a popup menu showed: $(cat "$LT_LISTENED")"
}

# lt_ask_tray_menu SECONDS [--click|--press ITEM]: a popup listener for
# SECONDS (PID LT_LISTENER, output in LT_LISTENED), then the menu asked for.
lt_ask_tray_menu() {
  LT_LISTENED=$LT_TMP/log/popup.$SECONDS.$RANDOM
  "$LT_PY" "$LT_DIR/atspi_dump.py" "$NOCTURO_PID" --popup "$@" >"$LT_LISTENED" 2>&1 &
  LT_LISTENER=$!
  lt_started $LT_LISTENER
  lt_wait_for 10 "the popup listener" grep -qx listening "$LT_LISTENED"
  ${LT_MENU_OPENER:-lt_sni menu 10 10} || lt_fail "the tray menu could not be asked for"
}

# lt_quit: "Salir" from the tray menu; the program must end with status 0.
# The menu as a panel draws it, from the item's DBusMenu; the one the program
# pops up itself where LT_MENU_OPENER opens it (the X11 tray).
lt_quit() {
  if [[ -n ${LT_MENU_OPENER:-} ]]; then
    lt_tray_menu "$LT_CHOOSE" "Salir"
  else
    lt_sni menu-click "_Salir" || lt_fail "the item's menu has no \"_Salir\" to click"
  fi
  lt_wait_exit 15
  ((LT_EXIT == 0)) || lt_fail "the program ended with status $LT_EXIT"
}

# lt_start_xembed_tray: our X11 system tray manager on the display; its
# docks are logged to $LT_XTRAY_LOG, one "docked 0xWID X,Y WxH" a dock.
lt_start_xembed_tray() {
  LT_XTRAY_LOG=$LT_TMP/log/xembed_tray.${#LT_PIDS[@]}.log
  "$LT_PY" "$LT_DIR/xembed_tray.py" >"$LT_XTRAY_LOG" 2>&1 &
  LT_XTRAY_PID=$!
  lt_started $LT_XTRAY_PID
  lt_wait_for 10 "the X11 tray manager" grep -q '^manager ' "$LT_XTRAY_LOG"
}

lt_stop_xembed_tray() {
  kill "$LT_XTRAY_PID"
  lt_wait_for 10 "the X11 tray manager to end" lt_gone "$LT_XTRAY_PID"
}

# The icons docked with the current manager that are still there.
lt_docked_count() {
  local docked undocked
  docked=$(grep -c '^docked ' "$LT_XTRAY_LOG")
  undocked=$(grep -c '^undocked ' "$LT_XTRAY_LOG")
  echo $((docked - undocked))
}
lt_icon_docked() { (($(lt_docked_count) > 0)); }

# lt_popup_count: the program's popups on the display (override-redirect
# windows shown), the icons docked in the X11 tray aside.
lt_popup_count() {
  local id docked n=0
  docked=$(sed -nE 's/^docked (0x[0-9a-f]+) .*/\1/p' "${LT_XTRAY_LOG:-/dev/null}")
  for id in $(xdotool search --all --pid "$NOCTURO_PID" --onlyvisible --name ''); do
    grep -qx "$(printf '0x%x' "$id")" <<<"$docked" && continue
    xwininfo -id "$id" | grep -q 'Override Redirect State: yes' && n=$((n + 1))
  done
  echo "$n"
}

# lt_click_docked BUTTON: clicks the middle of the last docked icon.
lt_click_docked() {
  local x y w h
  read -r x y w h < <(grep '^docked ' "$LT_XTRAY_LOG" | tail -n 1 |
    sed -E 's/^docked [^ ]+ ([0-9]+),([0-9]+) ([0-9]+)x([0-9]+)$/\1 \2 \3 \4/')
  [[ -n $h ]] || return 1
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) click "$1"
}

# lt_start_silent_bus PATH: a unix socket at PATH that takes every connection
# and never says a word, as a hung bus daemon does.
lt_start_silent_bus() {
  "$LT_PY" -c '
import socket, sys
listener = socket.socket(socket.AF_UNIX)
listener.bind(sys.argv[1])
listener.listen(64)
print("listening", flush=True)
held = []
while True:
    held.append(listener.accept()[0])
' "$1" >"$LT_TMP/log/silent-bus.${#LT_PIDS[@]}.log" 2>&1 &
  lt_started $!
  lt_wait_for 10 "the silent bus at $1" test -S "$1"
}

# lt_expect_journal REGEX: the program wrote exactly one line, its own, and
# it matches REGEX (Qt said nothing).
lt_expect_journal() {
  local lines
  lines=$(cat "$NOCTURO_LOG")
  [[ $(printf '%s' "$lines" | grep -c '') == 1 && $lines =~ $1 ]] ||
    lt_fail "the journal holds"$'\n'"${lines:-(nothing)}"$'\n'"instead of one line matching"$'\n'"$1"
  lt_log "ok: journal: $lines"
}

# The program keeps its lock and doorbell under /run/user/UID, whatever the
# environment says. lt_private_run COMMAND...: execs COMMAND (so only in a
# background subshell, whose PID it keeps) with /run/user replaced by this
# scenario's own directory, so that scenarios never meet each other's copies;
# as root only (elsewhere plainly: scenarios must not run side by side then).
# The user's directory there has mode LT_RUN_USER_MODE (700).
lt_private_run() {
  local root=$LT_TMP/run-user
  mkdir -p "$root/$(id -u)" && chmod "${LT_RUN_USER_MODE:-700}" "$root/$(id -u)"
  if (($(id -u) == 0)) && [[ -d /run/user ]] && unshare -m --propagation private true 2>/dev/null; then
    # shellcheck disable=SC2016 # expanded by that shell
    exec unshare -m --propagation private sh -c 'mount --bind "$0" /run/user && exec "$@"' "$root" "$@"
  fi
  exec "$@"
}

# lt_start_watcher_host_after SECONDS: as lt_start_watcher, but the watcher's
# host registers only SECONDS after the watcher's name appears.
lt_start_watcher_host_after() {
  LT_WATCHER_LOG=$LT_TMP/log/watcher.${#LT_PIDS[@]}.log
  "$LT_PY" "$LT_DIR/sni_watcher.py" serve "$1" >"$LT_WATCHER_LOG" 2>&1 &
  LT_WATCHER_PID=$!
  lt_started $LT_WATCHER_PID
  lt_wait_for 10 "the tray watcher" lt_has_owner session org.kde.StatusNotifierWatcher
}

# lt_listening: the running copy has taken the lock and listens for a second
# start (its doorbell is there).
lt_listening() { [[ -p $LT_TMP/run-user/$(id -u)/nocturo.bell ]]; }

# lt_window_id TITLE [--onlyvisible]: the X window of the program's window of
# that title (on XWayland too), or nothing; with --onlyvisible, a shown one
# only. --all: xdotool's search otherwise takes any one condition as a match.
lt_window_id() {
  xdotool search --all ${2:+"$2"} --pid "$NOCTURO_PID" --name "^$(lt_regex "$1")\$" 2>/dev/null | head -n 1
}

# lt_window_type TITLE: the _NET_WM_WINDOW_TYPE of the program's window.
lt_window_type() {
  local id
  id=$(lt_window_id "$1")
  [[ -n $id ]] && xprop -id "$id" _NET_WM_WINDOW_TYPE
}

# lt_click_window TITLE BUTTON: clicks the program's window near its left
# edge, halfway down, where no control lies.
lt_click_window() {
  local id HEIGHT=
  id=$(lt_window_id "$1")
  [[ -n $id ]] || return 1
  eval "$(xdotool getwindowgeometry --shell "$id" | grep -E '^HEIGHT=[0-9]+$')"
  [[ -n $HEIGHT ]] && xdotool mousemove --window "$id" 5 $((HEIGHT / 2)) click "$2"
}

# lt_window_mapped TITLE: the program's window is on the display, shown or
# minimised (iconic), not withdrawn as a hidden window is.
lt_window_mapped() {
  local id
  id=$(lt_window_id "$1")
  [[ -n $id ]] && xwininfo -id "$id" | grep -q 'Map State: IsViewable'
}

# lt_client WINDOW: its client area's place and size on the screen, in
# LT_G_X, LT_G_Y, LT_G_WIDTH, LT_G_HEIGHT.
lt_client() {
  local info
  # Without an id, xwininfo waits for a click on a window.
  [[ -n $1 ]] && info=$(xwininfo -id "$1" 2>/dev/null) || return 1
  LT_G_X=$(sed -nE 's/^ *Absolute upper-left X: *(-?[0-9]+).*/\1/p' <<<"$info")
  LT_G_Y=$(sed -nE 's/^ *Absolute upper-left Y: *(-?[0-9]+).*/\1/p' <<<"$info")
  LT_G_WIDTH=$(sed -nE 's/^ *Width: *([0-9]+).*/\1/p' <<<"$info")
  LT_G_HEIGHT=$(sed -nE 's/^ *Height: *([0-9]+).*/\1/p' <<<"$info")
  [[ -n $LT_G_HEIGHT ]]
}

# lt_frame WINDOW: "X Y W H TOP", its frame's top-left corner and size, title
# bar (TOP high) included, as the window manager's _NET_FRAME_EXTENTS around
# the client tell it; fails until the manager has told a title bar.
lt_frame() {
  local left right top bottom
  lt_client "$1" || return 1
  read -r left right top bottom < <(xprop -id "$1" _NET_FRAME_EXTENTS |
    sed -nE 's/.*= *([0-9]+), *([0-9]+), *([0-9]+), *([0-9]+).*/\1 \2 \3 \4/p')
  ((${top:-0} > 0)) || return 1
  echo "$((LT_G_X - left)) $((LT_G_Y - top)) $((LT_G_WIDTH + left + right)) $((LT_G_HEIGHT + top + bottom)) $top"
}

# lt_wm_frame WINDOW: "X Y W H" of the window manager's frame window around
# WINDOW (its ancestor that is a child of the root), read without the
# extents the program itself reads.
lt_wm_frame() {
  local window=$1 parent root
  [[ -n $window ]] || return 1
  root=$(xwininfo -root | sed -nE 's/.*Window id: (0x[0-9a-f]+).*/\1/p')
  while parent=$(xwininfo -children -id "$window" | sed -nE 's/^ *Parent window id: (0x[0-9a-f]+).*/\1/p') &&
    [[ -n $parent && $parent != "$root" ]]; do
    window=$parent
  done
  xwininfo -id "$window" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {print x, y, w, h}'
}

# lt_frame_at READER WINDOW X Y: READER puts the window's frame at X,Y.
lt_frame_at() { [[ $("$1" "$2" | cut -d' ' -f1-2) == "$3 $4" ]]; }

# lt_drag_title_bar WINDOW DX DY READER: a title-bar drag as a hand makes it:
# pressed, moved in steps (a manager takes a drag only past a threshold, and
# may read the press only after the first motions), moved on until READER
# (lt_frame, lt_wm_frame) finds the frame moved by DX,DY, released.
lt_drag_title_bar() {
  local window=$1 dx=$2 dy=$3 reader=$4 x y w top px py step status=0
  lt_wait_for 10 "the window manager's frame extents" lt_frame "$window"
  read -r _ _ _ _ top < <(lt_frame "$window")
  read -r x y w _ < <("$reader" "$window")
  px=$((x + w / 3)) py=$((y + top / 2))
  local path=(mousemove "$px" "$py" mousedown 1 sleep 0.3)
  for step in 1 2 3 4 5 6 7 8 9 10; do
    path+=(mousemove $((px + dx * step / 10)) $((py + dy * step / 10)) sleep 0.05)
  done
  xdotool "${path[@]}"
  lt_poll 10 lt_pointer_drags "$window" "$reader" $((px + dx)) $((py + dy)) $((x + dx)) $((y + dy)) ||
    status=1
  xdotool mouseup 1
  return "$status"
}
# lt_pointer_drags WINDOW READER PX PY X Y: one motion towards PX,PY, then
# the frame is at X,Y.
lt_pointer_drags() {
  xdotool mousemove $(($3 - 1)) $(($4 - 1)) mousemove "$3" "$4" && lt_frame_at "$2" "$1" "$5" "$6"
}
