#!/usr/bin/env bash
# Xfce: xfwm4 and xfce4-panel (its systray plugin hosts StatusNotifier items
# and X11 tray icons) on Xvfb, the panel at the top with nothing else that
# changes on screen; every check through xdotool.
# lt-timeout: 240
source "$(dirname "$0")/../lib.sh"
dt_setup
command -v xfce4-panel >/dev/null || lt_skip "no Xfce panel (scripts/install-deps.sh --desktops)"
dt_start_xvfb
export XDG_CURRENT_DESKTOP=XFCE
panel=$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml
mkdir -p "$panel"
# A panel of our own, so that there is no first-run dialog.
cat >"$panel/xfce4-panel.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=6;x=0;y=0"/>
      <property name="length" type="uint" value="100"/>
      <property name="position-locked" type="bool" value="true"/>
      <property name="size" type="uint" value="30"/>
      <property name="plugin-ids" type="array">
        <value type="int" value="1"/>
        <value type="int" value="2"/>
      </property>
    </property>
  </property>
  <property name="plugins" type="empty">
    <property name="plugin-1" type="string" value="separator">
      <property name="expand" type="bool" value="true"/>
      <property name="style" type="uint" value="0"/>
    </property>
    <property name="plugin-2" type="string" value="systray"/>
  </property>
</channel>
XML
dt_spawn xfwm4 xfwm4 --compositor=off
dt_spawn xfce4-panel xfce4-panel
lt_wait_for 30 "the panel's tray to host items" dt_host_ready
dt_x11_checks icon
