#!/usr/bin/env bash
# The program in a Wayland session (a headless weston). With the session's X
# server (XWayland) it runs through it on its own accord; without one, on
# Wayland itself. Either way its window reads through AT-SPI and its tray item
# follows the count on the StatusNotifier host. Through XWayland the stored
# position comes back unchanged although weston places X11 windows where it
# likes; on Wayland, where a client can neither place its window nor read
# where it stands, Nocturo.conf is not even rewritten, and with nothing
# stored nothing is written. On Wayland a host's ContextMenu with no window
# of the program's to hold a popup opens no menu (the panel draws the item's
# DBusMenu), and leaves the program free to show its window on Activate.
# lt-sessions: wayland wayland-x
source "$(dirname "$0")/../lib.sh"
lt_setup
lt_start_atspi
lt_start_watcher

case $LT_SESSION in
  wayland) platform=wayland ;;
  *) platform=xcb ;;
esac
LT_ENV=(QT_LOGGING_RULES=qt.qpa.plugin=true)

mkdir -p "$XDG_CONFIG_HOME/Nocturo"
printf '[Config]\nPosX=2880\nPosY=1200\n' >"$(lt_conf)"
# An old time: a rewrite of the same text shows.
touch -d '2001-02-03 04:05:06' "$(lt_conf)"
stored=$(stat -c '%Y %s' "$(lt_conf)")

lt_start_nocturo /S /D090 /E
lt_wait_for 20 "the main window on the accessibility bus" lt_window_shown "Nocturo v2.5"
grep -q "Successfully loaded Qt platform plugin \"$platform\"" "$NOCTURO_LOG" ||
  lt_fail "not on Qt's $platform platform: $(grep 'qt.qpa.plugin' "$NOCTURO_LOG")"
lt_expect_control "label" "CONTANDO"
lt_expect_control "push button" "Detener" enabled
lt_wait_for 20 "the tray item" lt_item_registered
lt_wait_for 10 "the count in the tooltip" lt_tooltip_matches '^Nocturo - 01:(29|30):[0-5][0-9]$'
lt_log "ok: on $platform, the window through AT-SPI and the tray item counting"
if [[ $platform == wayland ]]; then
  lt_atspi "$NOCTURO_PID" --press "push button" "Ocultar" || lt_fail "cannot press Ocultar"
  lt_wait_for 10 "Ocultar to hide the main window" lt_window_hidden "Nocturo v2.5"
  lt_no_tray_menu 5
  lt_sni activate 10 10 || lt_fail "Activate was refused"
  lt_wait_for 10 "Activate after the ContextMenu to show the main window" lt_window_shown "Nocturo v2.5"
  lt_log "ok: no stray window for a ContextMenu with no window shown; Activate shows the window"
fi
lt_quit
grep -qx 'PosX=2880' "$(lt_conf)" && grep -qx 'PosY=1200' "$(lt_conf)" ||
  lt_fail "the stored 2880/1200 came back as: $(cat "$(lt_conf)")"
if [[ $platform == wayland ]]; then
  [[ $(stat -c '%Y %s' "$(lt_conf)") == "$stored" ]] || lt_fail "Nocturo.conf was rewritten"
  rm "$(lt_conf)"
  lt_start_nocturo /S
  lt_wait_for 20 "the main window" lt_window_shown "Nocturo v2.5"
  lt_quit
  [[ ! -e $(lt_conf) ]] || lt_fail "a position was stored: $(cat "$(lt_conf)")"
  lt_log "ok: the stored position untouched, and nothing stored where there was none"
else
  lt_log "ok: the stored position written back unchanged"
fi
