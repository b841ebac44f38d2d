#!/usr/bin/env bash
# Plasma: kwin_x11, kded5 (the StatusNotifierWatcher) and plasmashell on Xvfb,
# every check through xdotool.
# lt-timeout: 420
source "$(dirname "$0")/../lib.sh"
dt_setup
command -v plasmashell >/dev/null && command -v kwin_x11 >/dev/null ||
  lt_skip "no Plasma (scripts/install-deps.sh --desktops)"
export XDG_CURRENT_DESKTOP=KDE KDE_FULL_SESSION=true KDE_SESSION_VERSION=5 XDG_SESSION_DESKTOP=KDE
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
