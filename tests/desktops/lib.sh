# Harness of the real-desktops checks: the program inside a desktop's own
# panel and window manager, started headless, as an unprivileged user with
# its own HOME, XDG_RUNTIME_DIR and session bus (dbus-run-session), a private
# system bus with logind played by python3-dbusmock, and, for Debian 13's
# desktops, inside the root directory tests/desktops/run.sh made.
#
# Input goes through the panel itself where it can be injected: xdotool on
# an X11 session (the panel's icon, its menu, the window's title bar). On a
# Wayland session nothing outside the compositor can click, so the checks
# make the D-Bus calls the host itself makes on a click (Activate, the
# DBusMenu's AboutToShow, GetLayout and "clicked" event).
#
# Screenshots of every step go to build/desktops/NAME/ and are kept.
# Source from a scenario; it re-runs the scenario as the test user (and in
# the root directory) when started as root.

DT_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
LT_OUT=${LT_OUT:-$(cd "$DT_DIR/../.." && pwd)/build/desktops}
# shellcheck source=../linux/lib.sh
source "$DT_DIR/../linux/lib.sh"
DT_USER=nocturo-desktops
DT_W=1280 DT_H=800
DT_MAIN="Nocturo v2.5" DT_ABOUT="Acerca de..."

# dt_enter: as root, runs this scenario again as the test user (inside the
# Debian 13 root directory when DT_ROOT names one).
dt_enter() {
  LT_NAME=${LT_RUN_NAME:-$(basename "$0" .sh)}
  DT_SHOTS=$LT_OUT/$LT_NAME
  if [[ -n ${DT_INSIDE:-} ]]; then
    return
  fi
  command -v dbus-run-session >/dev/null || lt_fail "no dbus-run-session (package dbus-daemon)"
  rm -rf "$DT_SHOTS" && mkdir -p "$DT_SHOTS"
  local keep=(DT_INSIDE=1 "LT_RUN_NAME=$LT_NAME" "DT_SESSION=${DT_SESSION:-x11}"
    "DT_ROOT=${DT_ROOT:-}" "PATH=/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin" LANG=C.UTF-8)
  local script
  script=$(cd "$(dirname "$0")" && pwd)/$(basename "$0")
  if ((EUID != 0)); then
    [[ -z ${DT_ROOT:-} ]] || lt_skip "Debian 13's desktops need root (a chroot)"
    exec env -i "${keep[@]}" "LT_OUT=$LT_OUT" "NOCTURO_LINUX_BIN=$LT_BIN" bash "$script"
  fi
  [[ -x $LT_BIN ]] || lt_fail "no program at $LT_BIN (cmake --preset linux && cmake --build --preset linux)"
  # The test user may not read this worktree (a clone in root's home): the
  # checks, the program and their output go to a place of their own, the
  # screenshots and logs come back at the end.
  DT_STAGE=$(mktemp -d /tmp/nocturo-desktops.XXXXXX)
  chmod 755 "$DT_STAGE"
  trap 'cp -r "$DT_STAGE/out/$LT_NAME/." "$DT_SHOTS/" 2>/dev/null; rm -rf "$DT_STAGE"' EXIT
  trap 'exit 143' TERM INT
  mkdir -p "$DT_STAGE/tests" "$DT_STAGE/out/$LT_NAME"
  cp -r "$DT_DIR/../desktops" "$DT_DIR/../linux" "$DT_DIR/../lib" "$DT_STAGE/tests/"
  cp "$LT_BIN" "$DT_STAGE/nocturo"
  script=$DT_STAGE/tests/desktops/scenarios/$(basename "$0")
  keep+=("LT_OUT=$DT_STAGE/out" "NOCTURO_LINUX_BIN=$DT_STAGE/nocturo")
  local uid=1000
  if [[ -z ${DT_ROOT:-} ]]; then
    id -u "$DT_USER" >/dev/null 2>&1 ||
      useradd --system --no-create-home --shell /usr/sbin/nologin "$DT_USER" || lt_fail "cannot add the user $DT_USER"
    uid=$(id -u "$DT_USER")
  fi
  chown -R "$uid" "$DT_STAGE/out"
  if [[ -z ${DT_ROOT:-} ]]; then
    setpriv --reuid "$uid" --regid "$(id -g "$DT_USER")" --clear-groups env -i "${keep[@]}" bash "$script"
    exit
  fi
  # Debian 13: the same checks in the root directory, as its user "tester"
  # (1000), with a fresh /proc, a private /tmp (with the X sockets' directory,
  # and the checks' place bound in at the same path).
  [[ -d $DT_ROOT/usr ]] || lt_fail "no Debian 13 root directory at $DT_ROOT"
  # shellcheck disable=SC2016 # expanded by that shell
  unshare -m --propagation private bash -c '
    set -e
    root=$1 stage=$2
    shift 2
    mount --rbind /dev "$root/dev"
    mount --bind /sys "$root/sys"
    mount -t proc proc "$root/proc"
    mount -t tmpfs -o mode=1777 tmpfs "$root/tmp"
    mkdir -m 1777 "$root/tmp/.X11-unix"
    mount -t tmpfs tmpfs "$root/run"
    mkdir -p "$root$stage"
    mount --bind "$stage" "$root$stage"
    exec chroot "$root" setpriv --reuid 1000 --regid 1000 --clear-groups "$@"
  ' _ "$DT_ROOT" "$DT_STAGE" env -i "${keep[@]}" bash "$script"
  exit
}

# dt_setup: throwaway HOME and XDG directories, the system bus with logind,
# cleanup by PID on exit (the failure's logs kept next to the screenshots).
dt_setup() {
  dt_enter
  LT_ART=$DT_SHOTS/log
  # The session bus starts services with its own environment: the
  # directories first, then the scenario again under dbus-run-session.
  if [[ -z ${DT_BUS:-} ]]; then
    LT_TMP=$(mktemp -d "${TMPDIR:-/tmp}/nocturo-desktop.XXXXXX")
    mkdir -p "$LT_TMP"/{home,config,runtime,cache,data,log}
    chmod 700 "$LT_TMP/runtime"
    export LT_TMP HOME=$LT_TMP/home XDG_CONFIG_HOME=$LT_TMP/config XDG_RUNTIME_DIR=$LT_TMP/runtime
    export XDG_CACHE_HOME=$LT_TMP/cache XDG_DATA_HOME=$LT_TMP/data XDG_SESSION_ID=c1 NO_AT_BRIDGE=1
    DT_BUS=1 dbus-run-session -- bash "$0"
    local status=$?
    rm -rf "$LT_TMP"
    exit "$status"
  fi
  trap lt_cleanup EXIT
  trap 'exit 143' TERM INT
  DT_SHOT_N=0
  lt_start_bus system
  lt_start_logind
  lt_log "$(sed -n 's/^PRETTY_NAME=//p' /etc/os-release), session $DT_SESSION, as $(id -un) ($(id -u))"
}

# dt_start_xvfb: an X server of the screen's size for an X11 session.
dt_start_xvfb() {
  lt_start_display "${DT_W}x${DT_H}"
  export XDG_SESSION_TYPE=x11
}

# dt_spawn NAME COMMAND...: a desktop process of ours, logged to NAME.log.
dt_spawn() {
  local name=$1
  shift
  # What the desktop's bus-started services must see too.
  dbus-update-activation-environment --all >/dev/null 2>&1
  "$@" >"$LT_TMP/log/$name.log" 2>&1 &
  lt_started $!
  lt_log "started $name (PID $!)"
}

# The StatusNotifier side of the desktop: a watcher with its host.
dt_host_ready() {
  gdbus call --session -d org.kde.StatusNotifierWatcher -o /StatusNotifierWatcher \
    -m org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierWatcher IsStatusNotifierHostRegistered |
    grep -q true
}
dt_host() { "$LT_PY" "$DT_DIR/host.py" "$@"; }
dt_item_listed() { dt_host item "$NOCTURO_PID"; }

# dt_shot NAME: screenshot NN-NAME.png of the whole screen, as the session
# allows it (DT_SHOOTER: x11 through the X server, gnome through the Shell,
# kwin through KWin, outer through the X server the compositor is a window of).
dt_shot() {
  DT_SHOT_N=$((DT_SHOT_N + 1))
  DT_LAST=$DT_SHOTS/$(printf '%02d' "$DT_SHOT_N")-$1.png
  case ${DT_SHOOTER:-x11} in
    x11) import -silent -window root "$DT_LAST" ;;
    gnome) dt_host gnome-shot "$DT_LAST" ;;
    # The compositor's own window on the X server it runs in (DT_OUTER).
    outer) DISPLAY=$DT_OUTER import -silent -window root "$DT_LAST" ;;
    kwin)
      dt_host kwin-shot "$LT_TMP/shot" &&
        convert -size "$(cat "$LT_TMP/shot.size")" -depth 8 "bgra:$LT_TMP/shot.rgba" "$DT_LAST"
      ;;
  esac
}

# dt_diff A B [CROP [MASK...]]: the bounding box "W H X Y" of the pixels that
# differ between two screenshots (within CROP, a geometry WxH+X+Y, leaving
# out each MASK, a rectangle "X0,Y0 X1,Y1"); nothing when none does.
dt_diff() {
  local a=$1 b=$2 crop=${3:-} box draw=()
  shift $(($# < 3 ? $# : 3))
  for mask in "$@"; do draw+=(-draw "rectangle $mask"); done
  box=$(convert \( "$a" -fill black "${draw[@]}" \) \( "$b" -fill black "${draw[@]}" \) \
    -compose difference -composite ${crop:+-crop "$crop" +repage} \
    -colorspace gray -threshold 8% -format '%@' info: 2>/dev/null) || return 1
  [[ $box =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || return 1
  local w=${BASH_REMATCH[1]} h=${BASH_REMATCH[2]} x=${BASH_REMATCH[3]} y=${BASH_REMATCH[4]}
  ((w > 0 && h > 0 && w < DT_W)) || return 0
  if [[ $crop =~ \+([0-9]+)\+([0-9]+)$ ]]; then
    x=$((x + BASH_REMATCH[1])) y=$((y + BASH_REMATCH[2]))
  fi
  echo "$w $h $x $y"
}

# dt_settle NAME [TIMEOUT]: screenshots a second apart until three in a row
# are alike; the last one is kept as NN-NAME.png.
dt_settle() {
  local name=$1 deadline=$((SECONDS + ${2:-30})) alike=0 previous=$LT_TMP/settle.0 current=$LT_TMP/settle.1
  dt_raw_shot "$current" || return 1
  while ((SECONDS < deadline)); do
    mv "$current" "$previous"
    sleep 1
    dt_raw_shot "$current" || return 1
    if cmp -s "$previous" "$current"; then
      ((++alike >= 2)) && break
    else
      alike=0
    fi
  done
  DT_SHOT_N=$((DT_SHOT_N + 1))
  DT_LAST=$DT_SHOTS/$(printf '%02d' "$DT_SHOT_N")-$name.png
  convert "$current" "$DT_LAST"
  ((alike >= 2)) && return 0
  convert "$previous" "${DT_LAST%.png}-previous.png"
  lt_log "still changing: $(dt_diff "${DT_LAST%.png}-previous.png" "$DT_LAST") (${DT_LAST##*/} and its -previous)"
  return 1
}

# dt_raw_shot FILE: a screenshot in a form that compares byte for byte.
dt_raw_shot() {
  case ${DT_SHOOTER:-x11} in
    x11) import -silent -window root "ppm:$1" ;;
    *) dt_shot raw && DT_SHOT_N=$((DT_SHOT_N - 1)) && convert "$DT_LAST" "ppm:$1" && rm -f "$DT_LAST" ;;
  esac
}

# A panel's clock changes once a minute: steps that compare screenshots start
# at least 20 s before the next change.
dt_clear_of_the_minute() {
  local second
  second=$(date +%-S)
  ((second < 40)) || sleep $((61 - second))
}

dt_shown() { [[ -n $(lt_window_id "$1" --onlyvisible) ]]; }
dt_gone_window() { ! dt_shown "$1"; }

# A grab or a stuck server must not outlast the check's own deadlines.
xdotool() { timeout 15 xdotool "$@"; }
import() { timeout 30 import "$@"; }

# dt_stands_in: the main window has become an ordinary window, standing in
# for the missing tray (Qt lists NORMAL after a tool window's UTILITY).
dt_stands_in() {
  xprop -id "$(lt_window_id "$DT_MAIN" --onlyvisible)" _NET_WM_WINDOW_TYPE | grep -qE '= _NET_WM_WINDOW_TYPE_NORMAL(,|$)'
}

# --- The checks, the same on every desktop ---------------------------------

# dt_await_icon: starts the program hidden; its item must be listed by the
# desktop's watcher and a screenshot must differ from the one before the
# start only where the icon is. Sets DT_ICON ("W H X Y") and DT_CX, DT_CY.
# shellcheck disable=SC2120 # a scenario may give the program arguments
dt_await_icon() {
  dt_clear_of_the_minute
  dt_settle before-start 60 || lt_fail "the desktop never settled (its screenshots kept changing)"
  # On a busy machine settling can take until the clock's next change: the
  # shot before the start is then taken again, after it.
  if (($(date +%-S) >= 40)); then
    dt_clear_of_the_minute
    DT_SHOT_N=$((DT_SHOT_N - 1))
    dt_settle before-start 60 || lt_fail "the desktop never settled (its screenshots kept changing)"
  fi
  local before=$DT_LAST box
  lt_start_nocturo "$@"
  lt_wait_for 30 "the desktop's watcher to list the program's item" dt_item_listed
  dt_settle icon 20 || lt_fail "the screen kept changing after the item came"
  box=$(dt_diff "$before" "$DT_LAST")
  [[ -n $box ]] || lt_fail "no icon: $DT_LAST is the same as $before"
  read -r -a DT_ICON <<<"$box"
  dt_pick_icon "$before" "$DT_LAST"
  ((DT_ICON[0] <= 80 && DT_ICON[1] <= 80)) ||
    lt_fail "more than an icon changed after the start: ${DT_ICON[0]}x${DT_ICON[1]} at ${DT_ICON[2]},${DT_ICON[3]} ($DT_LAST)"
  DT_CX=$((DT_ICON[2] + DT_ICON[0] / 2)) DT_CY=$((DT_ICON[3] + DT_ICON[1] / 2))
  lt_log "ok: the icon in the panel, ${DT_ICON[0]}x${DT_ICON[1]} at ${DT_ICON[2]},${DT_ICON[3]} ($(basename "$DT_LAST"))"
}

# dt_pick_icon BEFORE AFTER: a tray that grows moves its other icons too; of
# the columns of changes in DT_ICON, the icon is the most colourful run
# (the others are the desktop's own grey symbolic icons).
dt_pick_icon() {
  local w=${DT_ICON[0]} h=${DT_ICON[1]} x=${DT_ICON[2]} y=${DT_ICON[3]} start end best=-1 score pick=
  while read -r start end; do
    score=$(convert "$2" -crop "$((end - start + 1))x$h+$((x + start))+$y" +repage -colorspace HSL \
      -channel G -separate -format '%[fx:int(mean*1000)]' info:)
    ((score > best)) && best=$score pick="$((end - start + 1)) $h $((x + start)) $y"
  done < <(convert "$1" "$2" -crop "${w}x$h+$x+$y" +repage -compose difference -composite \
    -colorspace gray -threshold 8% -scale "${w}x1!" -threshold 0 -depth 8 txt:- |
    awk -F'[,:]' 'NR > 1 { on = ($0 ~ /#FFFFFF|white|gray\(255\)/) }
      NR > 1 && on && !run { first = $1; run = 1 }
      NR > 1 && on { last = $1; gap = 0 }
      NR > 1 && !on && run && ++gap >= 3 { print first, last; run = 0 }
      END { if (run) print first, last }')
  [[ -n $pick ]] && read -r -a DT_ICON <<<"$pick"
}

# dt_menu_appeared BEFORE CROP: something changed since BEFORE within CROP;
# its box goes to $LT_TMP/menu.box (this runs in lt_poll's subshell).
dt_menu_appeared() {
  local box
  dt_shot menu
  box=$(dt_diff "$1" "$DT_LAST" "$2" "${DT_MASKS[@]}")
  [[ -n $box ]] && echo "$box" >"$LT_TMP/menu.box"
}

# dt_open_menu WHERE: a right click on the panel's icon (WHERE=icon) or in
# the stand-in window's client area (WHERE=window); a menu must show next
# to the click point. Sets DT_MENU ("W H X Y").
dt_open_menu() {
  local where=$1 x y crop before
  if [[ $where == icon ]]; then
    x=$DT_CX y=$DT_CY
    crop=${DT_W}x${DT_H}+0+0
  else
    # Near the client area's bottom-right corner: the menu opens right and
    # down of it, outside the window, whose look may change meanwhile.
    local win
    win=$(lt_window_id "$DT_MAIN" --onlyvisible)
    lt_client "$win" || lt_fail "no place of the main window"
    x=$((LT_G_X + LT_G_WIDTH - 4)) y=$((LT_G_Y + LT_G_HEIGHT - 4))
    crop=${DT_W}x${DT_H}+0+0
  fi
  if [[ $where == icon ]]; then
    # Away from the panels and the windows, so no tooltip is left on screen.
    xdotool mousemove 4 $((DT_H / 2))
  else
    # The window takes the focus first: its look changes then, not with the menu.
    xdotool mousemove "$x" "$y" click 1
  fi
  dt_settle before-menu 60 || lt_fail "the screen kept changing before the right click"
  before=$DT_LAST
  # The program's windows look otherwise once the menu takes the focus, and
  # the panel's button around the icon once it is pressed.
  DT_MASKS=()
  local title frame
  [[ $where == icon ]] &&
    DT_MASKS+=("$((DT_ICON[2] - 16)),$((DT_ICON[3] - 16)) $((DT_ICON[2] + DT_ICON[0] + 16)),$((DT_ICON[3] + DT_ICON[1] + 16))")
  for title in "$DT_MAIN" "$DT_ABOUT"; do
    dt_shown "$title" || continue
    read -r -a frame < <(lt_frame "$(lt_window_id "$title" --onlyvisible)") || continue
    DT_MASKS+=("${frame[0]},${frame[1]} $((frame[0] + frame[2] - 1)),$((frame[1] + frame[3] - 1))")
  done
  rm -f "$LT_TMP/menu.box"
  xdotool mousemove "$x" "$y" click 3
  if ! lt_poll 10 dt_menu_appeared "$before" "$crop"; then
    dt_shot no-menu
    lt_fail "a right click at $x,$y showed no menu ($(basename "$DT_LAST")); $(dt_menu_note "$where")"
  fi
  dt_shot menu
  read -r -a DT_MENU <"$LT_TMP/menu.box"
  local gap_x gap_y
  gap_x=$(((DT_MENU[2] > x) ? DT_MENU[2] - x : ((x > DT_MENU[2] + DT_MENU[0]) ? x - DT_MENU[2] - DT_MENU[0] : 0)))
  gap_y=$(((DT_MENU[3] > y) ? DT_MENU[3] - y : ((y > DT_MENU[3] + DT_MENU[1]) ? y - DT_MENU[3] - DT_MENU[1] : 0)))
  ((gap_x <= 60 && gap_y <= 60)) ||
    lt_fail "the menu is at ${DT_MENU[2]},${DT_MENU[3]} (${DT_MENU[0]}x${DT_MENU[1]}), ${gap_x}/${gap_y} px from the click at $x,$y ($(basename "$DT_LAST"))"
  ((DT_MENU[1] >= 45 && DT_MENU[1] <= 220)) ||
    lt_fail "what showed is ${DT_MENU[0]}x${DT_MENU[1]}, not a menu of three items ($(basename "$DT_LAST"))"
  local lines
  lines=$(dt_menu_lines "$DT_LAST")
  ((lines == 3)) ||
    lt_fail "the menu that showed has $lines lines of text, not the program's three items ($(basename "$DT_LAST")); $(dt_menu_note "$where")"
  lt_log "ok: a menu of three items ${DT_MENU[0]}x${DT_MENU[1]} at ${DT_MENU[2]},${DT_MENU[3]}, next to the click at $x,$y ($(basename "$DT_LAST"))"
}

# dt_menu_lines SHOT: how many lines of text the open menu (DT_MENU) holds:
# bands of rows with edges in them, inside the menu's border.
dt_menu_lines() {
  local w=$((DT_MENU[0] - 12)) h=$((DT_MENU[1] - 4))
  convert "$1" -crop "${w}x$h+$((DT_MENU[2] + 6))+$((DT_MENU[3] + 2))" +repage -colorspace gray \
    -edge 1 -threshold 25% -scale "1x$h!" -threshold 0 -depth 8 txt:- |
    awk 'NR > 1 { if ($0 ~ /#FFFFFF|white|gray\(255\)/) run++; else { if (run >= 4) n++; run = 0 } }
         END { if (run >= 4) n++; print n + 0 }'
}

# dt_menu_note WHERE: what a failure to reach the menu says of it.
dt_menu_note() {
  if [[ $1 == icon ]]; then
    echo "the program's menu as a host reads it: $(dt_host menu "$NOCTURO_PID" 2>&1 | tr '\n' ' ')"
  else
    echo "the stand-in window's context menu"
  fi
}

# dt_choose N: a click on the open menu's Nth item of three.
dt_choose() {
  xdotool mousemove $((DT_MENU[2] + DT_MENU[0] / 2)) $((DT_MENU[3] + (2 * $1 - 1) * DT_MENU[1] / 6)) click 1
}

# dt_quit_by_menu WHERE: "Salir", the menu's third item; status 0.
dt_quit_by_menu() {
  dt_open_menu "$1"
  dt_choose 3
  lt_wait_for 15 "\"Salir\" (the menu's third item) to end the program" lt_gone "$NOCTURO_PID"
  lt_wait_exit 1
  ((LT_EXIT == 0)) || lt_fail "the program ended with status $LT_EXIT"
  dt_shot after-exit
  lt_log "ok: \"Salir\" ended the program with status 0"
}

dt_frame_is() { lt_frame_at lt_frame "$(lt_window_id "$DT_MAIN" --onlyvisible)" "$1" "$2"; }

# dt_x11_checks WHERE: every check through injected X input; WHERE is where
# the menu is opened (icon: the panel's icon; window: the stand-in window).
dt_x11_checks() {
  local where=$1 win
  if [[ $where == icon ]]; then
    dt_await_icon
    xdotool mousemove "$DT_CX" "$DT_CY" click 1
    if lt_poll 5 dt_shown "$DT_MAIN"; then
      dt_shot left-click
      lt_log "ok: the panel's left click shows the main window ($(basename "$DT_LAST"))"
    else
      # GNOME's extension opens an item's menu on a single click when it has
      # one, and activates it on a double click.
      dt_shot left-click-no-window
      lt_log "a single left click showed no main window ($(basename "$DT_LAST")); a double click then"
      xdotool key Escape
      xdotool mousemove 4 $((DT_H / 2))
      dt_settle before-double-click 30 || lt_fail "the screen kept changing after the single click"
      xdotool mousemove "$DT_CX" "$DT_CY" click --repeat 2 --delay 100 1
      if ! lt_poll 10 dt_shown "$DT_MAIN"; then
        dt_shot no-window
        lt_fail "neither a left click nor a double click at $DT_CX,$DT_CY showed the main window ($(basename "$DT_LAST"))"
      fi
      dt_shot double-click
      lt_log "ok: the panel's double click shows the main window ($(basename "$DT_LAST"))"
    fi
  else
    dt_settle before-start 60 || lt_fail "the desktop never settled"
    lt_start_nocturo
    lt_wait_for 40 "the main window to stand in for the missing tray" dt_shown "$DT_MAIN"
    dt_shot stand-in
    lt_log "ok: without a tray the main window stands in ($(basename "$DT_LAST"))"
  fi
  dt_open_menu "$where"
  dt_choose 2
  if ! lt_poll 10 dt_shown "$DT_ABOUT"; then
    dt_shot no-about
    lt_fail "choosing the menu's second item showed no About window ($(basename "$DT_LAST")); $(dt_menu_note "$where")"
  fi
  dt_shot about
  lt_log "ok: \"Acerca de...\" shows the About window ($(basename "$DT_LAST"))"
  # Its "Cerrar" (2760,960 twips, 1095x375, at 96 dpi) closes it: the next
  # menu is opened where the About window was.
  lt_client "$(lt_window_id "$DT_ABOUT" --onlyvisible)" || lt_fail "no place of the About window"
  xdotool mousemove $((LT_G_X + 220)) $((LT_G_Y + 76)) click 1
  lt_wait_for 10 "\"Cerrar\" to close the About window" dt_gone_window "$DT_ABOUT"
  dt_quit_by_menu "$where"

  # The position: a title-bar drag, "Salir", a new start.
  if [[ $where == icon ]]; then
    dt_await_icon
    dt_open_menu icon
    dt_choose 1
    lt_wait_for 10 "\"Mostrar...\" (the menu's first item) to show the main window" dt_shown "$DT_MAIN"
    lt_log "ok: \"Mostrar...\" shows the main window"
  else
    lt_start_nocturo
    lt_wait_for 40 "the stand-in window" dt_shown "$DT_MAIN"
  fi
  win=$(lt_window_id "$DT_MAIN" --onlyvisible)
  local frame
  lt_wait_for 10 "the main window's frame extents" lt_frame "$win"
  read -r -a frame < <(lt_frame "$win")
  local tx=$((frame[0] - 180)) ty=$((frame[1] + 110))
  lt_drag_title_bar "$win" -180 110 lt_frame
  if ! lt_poll 10 dt_frame_is "$tx" "$ty"; then
    dt_shot drag-failed
    lt_fail "the title-bar drag left the frame at $(lt_frame "$win" | cut -d' ' -f1-2 | tr ' ' ,), not at $tx,$ty (it was at ${frame[0]},${frame[1]}; $(basename "$DT_LAST"))"
  fi
  dt_shot dragged
  lt_log "ok: the frame dragged by its title bar from ${frame[0]},${frame[1]} to $tx,$ty ($(basename "$DT_LAST"))"
  dt_quit_by_menu "$where"
  lt_log "stored: $(grep -E '^Pos[XY]=' "$(lt_conf)" | tr '\n' ' ')"
  # Run after run: twice more, with no move in between.
  local round
  for round in 1 2; do
    lt_start_nocturo /S
    lt_wait_for 20 "the main window on a start with /S" dt_shown "$DT_MAIN"
    win=$(lt_window_id "$DT_MAIN" --onlyvisible)
    lt_wait_for 10 "the main window's frame extents" lt_frame "$win"
    if ! lt_poll 5 dt_frame_is "$tx" "$ty"; then
      dt_shot misplaced
      lt_fail "start $round after the drag put the frame at $(lt_frame "$win" | cut -d' ' -f1-2 | tr ' ' ,), not where it was left, $tx,$ty (stored: $(grep -E '^Pos[XY]=' "$(lt_conf)" | tr '\n' ' '); $(basename "$DT_LAST"))"
    fi
    dt_shot restarted
    lt_log "ok: start $round after the drag shows the frame where it was left, $tx,$ty ($(basename "$DT_LAST"))"
    if [[ $where == icon ]]; then
      dt_await_icon_again
    else
      lt_wait_for 30 "the main window to stand in for the missing tray" dt_stands_in
    fi
    dt_quit_by_menu "$where"
  done
}

# After a start with /S the icon is where it was.
dt_await_icon_again() { lt_wait_for 30 "the desktop's watcher to list the program's item" dt_item_listed; }

# dt_dbus_checks: on a Wayland session nothing outside the compositor can
# click, so the host's own calls stand in for the clicks: Activate for the
# left click (GNOME's extension makes it on a double click when the item has
# a menu), the DBusMenu's AboutToShow and GetLayout for the right click
# (the host draws the menu from them) and its "clicked" event for an item.
# The title-bar drag cannot be made either, so the position is not checked.
dt_dbus_checks() {
  local labels
  dt_await_icon
  dt_host activate "$NOCTURO_PID" "$DT_CX" "$DT_CY" || lt_fail "Activate failed"
  lt_wait_for 10 "Activate (the host's left click) to show the main window" dt_shown "$DT_MAIN"
  dt_shot left-click
  lt_log "ok: Activate shows the main window ($(basename "$DT_LAST"))"
  labels=$(dt_host menu "$NOCTURO_PID" 2>&1) || lt_fail "the host can draw no menu of the program: $labels"
  [[ $labels == $'Mostrar...\nAcerca de...\nSalir' ]] ||
    lt_fail "the menu the host draws holds"$'\n'"$labels"$'\n'"instead of Mostrar..., Acerca de..., Salir"
  lt_log "ok: the menu the host draws: ${labels//$'\n'/, }"
  dt_expect_no_stray "the host read the menu"
  dt_host choose "$NOCTURO_PID" "Acerca de..." || lt_fail "cannot choose \"Acerca de...\""
  lt_wait_for 10 "\"Acerca de...\" to show the About window" dt_shown "$DT_ABOUT"
  dt_shot about
  lt_log "ok: \"Acerca de...\" shows the About window ($(basename "$DT_LAST"))"
  dt_host choose "$NOCTURO_PID" "Salir" || lt_fail "cannot choose \"Salir\""
  lt_wait_for 15 "\"Salir\" to end the program" lt_gone "$NOCTURO_PID"
  lt_wait_exit 1
  ((LT_EXIT == 0)) || lt_fail "the program ended with status $LT_EXIT"
  dt_shot after-exit
  lt_log "ok: \"Salir\" ended the program with status 0; the position is not checked (no input can be injected into a Wayland compositor)"
}

# dt_stray_windows: the program's shown windows other than the main and the
# About window, "ID "TITLE"" a line (a menu popped up by the program itself
# would be one: on Wayland it lands far from the icon, or as a window).
dt_stray_windows() {
  local id name
  for id in $(xdotool search --all --onlyvisible --pid "$NOCTURO_PID" --name '' 2>/dev/null); do
    name=$(xdotool getwindowname "$id" 2>/dev/null)
    [[ $name == "$DT_MAIN" || $name == "$DT_ABOUT" ]] || echo "$id \"$name\""
  done
}

dt_has_stray() { [[ -n $(dt_stray_windows) ]]; }

# dt_expect_no_stray AFTER: no stray window shows within a second of AFTER.
dt_expect_no_stray() {
  if lt_poll 1 dt_has_stray; then
    local stray
    stray=$(dt_stray_windows | tr '\n' ' ')
    dt_shot stray-window
    lt_fail "after $1 the program showed a window of its own: $stray($(basename "$DT_LAST"))"
  fi
  lt_log "ok: no window of the program's own after $1"
}
