#!/usr/bin/env bash
# Plasma. DT_SESSION x11 (Plasma 5): kwin_x11, kded5 (the
# StatusNotifierWatcher) and plasmashell on Xvfb, every check through
# xdotool. wayland: kwin_wayland with XWayland, plasmashell a Wayland client,
# the program on XWayland; the host's own D-Bus calls stand in for its
# clicks (Plasma 5 on --virtual; Plasma 6, Wayland only, in a window of its
# own on an Xvfb, where the screenshots are taken).
# lt-timeout: 420
source "$(dirname "$0")/../lib.sh"
dt_setup
command -v plasmashell >/dev/null || lt_skip "no Plasma (scripts/install-deps.sh --desktops)"
export XDG_CURRENT_DESKTOP=KDE KDE_FULL_SESSION=true KDE_SESSION_VERSION=5 XDG_SESSION_DESKTOP=KDE

# The StatusNotifierHost-* name on the bus belongs to plasmashell.
plasma_host_is_plasmashell() {
  local name pid
  name=$(gdbus call --session -d org.freedesktop.DBus -o /org/freedesktop/DBus -m org.freedesktop.DBus.ListNames |
    grep -oE "org\.kde\.StatusNotifierHost-[0-9-]+" | head -n 1)
  [[ -n $name ]] || return 1
  pid=$(gdbus call --session -d org.freedesktop.DBus -o /org/freedesktop/DBus \
    -m org.freedesktop.DBus.GetConnectionUnixProcessID "$name" | grep -oE '[0-9]+' | tail -n 1)
  [[ $(cat "/proc/$pid/comm" 2>/dev/null) == plasmashell ]]
}

# kded6 owns the watcher's name from its start but answers on it only once
# its module is loaded, which nothing in a bare session asks for.
plasma6_watcher_served() {
  gdbus call --session -d org.kde.kded6 -o /kded -m org.kde.kded6.loadModule statusnotifierwatcher >/dev/null &&
    gdbus call --session -d org.kde.StatusNotifierWatcher -o /StatusNotifierWatcher \
      -m org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierWatcher ProtocolVersion >/dev/null
}

# plasma_wayland KDED KWIN-BACKEND-ARGS...: kwin_wayland with XWayland, whose
# session starts KDED and plasmashell as a Wayland client.
plasma_wayland() {
  command -v kwin_wayland >/dev/null || lt_skip "no kwin_wayland (scripts/install-deps.sh --desktops)"
  export PLASMA_KDED=$1 XDG_SESSION_TYPE=wayland
  shift
  # Debian's kwin_wayland carries a file capability (cap_sys_nice) that
  # cannot be granted here; a plain copy runs, and KWin 6 wants to be called
  # kwin_wayland.
  mkdir -p "$LT_TMP/bin"
  cp "$(command -v kwin_wayland)" "$LT_TMP/bin/kwin_wayland"
  cat >"$LT_TMP/session.sh" <<'SH'
#!/bin/sh
echo "$DISPLAY" >"$LT_TMP/xdisplay.tmp" && mv "$LT_TMP/xdisplay.tmp" "$LT_TMP/xdisplay"
dbus-update-activation-environment --all
"$PLASMA_KDED" >"$LT_TMP/log/kded.log" 2>&1 &
QT_QPA_PLATFORM=wayland exec plasmashell --no-respawn >"$LT_TMP/log/plasmashell.log" 2>&1
SH
  chmod +x "$LT_TMP/session.sh"
  dt_spawn kwin "$LT_TMP/bin/kwin_wayland" "$@" --xwayland --width "$DT_W" --height "$DT_H" \
    --no-lockscreen --socket nocturo-wl "$LT_TMP/session.sh"
  lt_wait_for 60 "KWin's XWayland display" test -s "$LT_TMP/xdisplay"
  DISPLAY=$(cat "$LT_TMP/xdisplay")
  export DISPLAY WAYLAND_DISPLAY=nocturo-wl
}

# Plasma 6 on Wayland. Without a GPU KWin 6 paints with QPainter and offers no
# screenshot interface, so it runs in a window on an Xvfb (its X11 backend)
# and that window is what is captured.
if [[ $DT_SESSION == wayland ]] && command -v kded6 >/dev/null; then
  export KDE_SESSION_VERSION=6
  dt_start_xvfb
  DT_OUTER=$DISPLAY
  plasma_wayland kded6 --x11-display "$DT_OUTER"
  DT_SHOOTER=outer
  lt_wait_for 60 "kded6 on the session bus" lt_has_owner session org.kde.kded6
  lt_wait_for 60 "kded6's StatusNotifierWatcher" plasma6_watcher_served
  lt_wait_for 90 "plasmashell's tray host" dt_host_ready
  lt_wait_for 10 "the tray host to be plasmashell's" plasma_host_is_plasmashell
  lt_log "ok: the tray host is plasmashell's"
  dt_dbus_checks
  exit 0
fi
command -v kwin_x11 >/dev/null || lt_skip "no Plasma 5 (scripts/install-deps.sh --desktops)"
if [[ $DT_SESSION == wayland ]]; then
  export KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1
  plasma_wayland kded5 --virtual
  DT_SHOOTER=kwin
  lt_wait_for 60 "kded's StatusNotifierWatcher" lt_has_owner session org.kde.StatusNotifierWatcher
  lt_wait_for 60 "plasmashell's tray host" dt_host_ready
  lt_wait_for 60 "KWin's screenshots" dt_raw_shot "$LT_TMP/probe.ppm"
  dt_dbus_checks
  exit 0
fi
dt_start_xvfb
# Else plasmashell's activities service does not start.
dbus-update-activation-environment --all
dt_spawn kwin env KWIN_COMPOSE=N kwin_x11
dt_spawn kded kded5
lt_wait_for 30 "kded's StatusNotifierWatcher" lt_has_owner session org.kde.StatusNotifierWatcher
dt_spawn plasmashell plasmashell --no-respawn
lt_wait_for 60 "plasmashell's tray host" dt_host_ready
# Its panel is drawn a while after the host is there.
panel_drawn() {
  [[ $(import -silent -window root -crop "${DT_W}x30+0+$((DT_H - 30))" -colorspace gray \
    -format '%[fx:int(mean*100)]' info:) -gt 30 ]]
}
lt_wait_for 60 "plasmashell to draw its panel" panel_drawn
dt_x11_checks icon
