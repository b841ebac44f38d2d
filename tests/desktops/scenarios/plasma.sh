#!/usr/bin/env bash
# Plasma 5. DT_SESSION x11: kwin_x11, kded5 (the StatusNotifierWatcher) and
# plasmashell on Xvfb, every check through xdotool. wayland: kwin_wayland
# --virtual with XWayland, plasmashell a Wayland client, the program on
# XWayland; the host's own D-Bus calls stand in for its clicks.
# lt-timeout: 420
source "$(dirname "$0")/../lib.sh"
dt_setup
command -v plasmashell >/dev/null && command -v kwin_x11 >/dev/null ||
  lt_skip "no Plasma (scripts/install-deps.sh --desktops)"
export XDG_CURRENT_DESKTOP=KDE KDE_FULL_SESSION=true KDE_SESSION_VERSION=5 XDG_SESSION_DESKTOP=KDE
if [[ $DT_SESSION == wayland ]]; then
  command -v kwin_wayland >/dev/null || lt_skip "no kwin_wayland (scripts/install-deps.sh --desktops)"
  # Debian's kwin_wayland carries a file capability that a container cannot
  # grant: a plain copy runs.
  mkdir -p "$LT_TMP/bin"
  cp "$(command -v kwin_wayland)" "$LT_TMP/bin/kwin_wayland"
  cat >"$LT_TMP/session.sh" <<'SH'
#!/bin/sh
echo "$DISPLAY" >"$LT_TMP/xdisplay.tmp" && mv "$LT_TMP/xdisplay.tmp" "$LT_TMP/xdisplay"
dbus-update-activation-environment --all
kded5 >"$LT_TMP/log/kded.log" 2>&1 &
QT_QPA_PLATFORM=wayland exec plasmashell --no-respawn >"$LT_TMP/log/plasmashell.log" 2>&1
SH
  chmod +x "$LT_TMP/session.sh"
  export XDG_SESSION_TYPE=wayland KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1
  dt_spawn kwin "$LT_TMP/bin/kwin_wayland" --virtual --xwayland --width "$DT_W" --height "$DT_H" \
    --no-lockscreen --socket nocturo-wl "$LT_TMP/session.sh"
  lt_wait_for 60 "KWin's XWayland display" test -s "$LT_TMP/xdisplay"
  export DISPLAY=$(cat "$LT_TMP/xdisplay") WAYLAND_DISPLAY=nocturo-wl
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
