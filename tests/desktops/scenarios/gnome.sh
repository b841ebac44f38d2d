#!/usr/bin/env bash
# GNOME Shell with the AppIndicator extension (DT_SESSION x11: on Xvfb, every
# check through xdotool; wayland: --headless --wayland, the program through
# XWayland, the host's own D-Bus calls for its clicks) or without it
# (notray: on Xvfb, the main window stands in for the icon).
# lt-timeout: 300
source "$(dirname "$0")/../lib.sh"
dt_setup
command -v gnome-shell >/dev/null || lt_skip "no GNOME Shell (scripts/install-deps.sh --desktops)"
export XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_DESKTOP=gnome
extension=ubuntu-appindicators@ubuntu.com
if [[ $DT_SESSION != notray ]]; then
  [[ -d /usr/share/gnome-shell/extensions/$extension ]] ||
    lt_skip "no AppIndicator extension (scripts/install-deps.sh --desktops)"
  gsettings set org.gnome.shell enabled-extensions "['$extension']"
fi
# The pointer at 0,0 must not open the overview, nor a banner ("Screen
# Lock disabled") cover the screen.
gsettings set org.gnome.desktop.interface enable-hot-corners false
gsettings set org.gnome.desktop.notifications show-banners false
overview_off() {
  gdbus call --session -d org.gnome.Shell -o /org/gnome/Shell -m org.freedesktop.DBus.Properties.Set \
    org.gnome.Shell OverviewActive '<false>'
}
overview_is_off() {
  gdbus call --session -d org.gnome.Shell -o /org/gnome/Shell -m org.freedesktop.DBus.Properties.Get \
    org.gnome.Shell OverviewActive | grep -q false
}
if [[ $DT_SESSION == wayland ]]; then
  export XDG_SESSION_TYPE=wayland
  dt_spawn gnome-shell gnome-shell --headless --wayland --virtual-monitor "${DT_W}x${DT_H}" --wayland-display nocturo-wl
  lt_wait_for 60 "GNOME Shell's X display for X clients" grep -q 'public X11 display' "$LT_TMP/log/gnome-shell.log"
  export DISPLAY=$(sed -nE 's/.*public X11 display (:[0-9]+).*/\1/p; s/.*Using public X11 display (:[0-9]+).*/\1/p' \
    "$LT_TMP/log/gnome-shell.log" | head -n 1)
  export XAUTHORITY=$(ls "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.* 2>/dev/null | head -n 1)
  DT_SHOOTER=gnome
else
  dt_start_xvfb
  dt_spawn gnome-shell gnome-shell --x11 --replace
fi
lt_wait_for 60 "GNOME Shell on the session bus" lt_has_owner session org.gnome.Shell
# The Shell opens the overview once its start-up is over: set it off until it
# stays off.
overview_stays_off() {
  overview_off >/dev/null && lt_poll 2 overview_is_off && ! lt_poll 3 bash -c "$(declare -f overview_is_off); ! overview_is_off"
}
lt_wait_for 60 "GNOME Shell to leave the overview for good" overview_stays_off
case $DT_SESSION in
  x11)
    lt_wait_for 30 "the extension's tray host" dt_host_ready
    dt_x11_checks icon
    ;;
  notray) dt_x11_checks window ;;
  wayland)
    lt_wait_for 30 "the extension's tray host" dt_host_ready
    dt_dbus_checks
    ;;
esac
