#!/usr/bin/env bash
# The README's pictures of the Linux program: the main window counting and
# the About window, under Xvfb (no window manager, so no title bars), saved
# as docs/images/linux-main-window.png and linux-about-window.png.
source "$(dirname "$0")/lib.sh"
lt_setup
lt_start_atspi
lt_start_watcher
lt_start_logind
images=$LT_ROOT/docs/images

# shoot TITLE FILE: the root window cropped to the window's extents as the
# accessibility bus gives them, once painted (a new window is black on Xvfb).
shoot() {
  local out=$2 geometry
  geometry=$(lt_dump | sed -nE "s/^[a-z ]+ \"$(lt_regex "$1")\" \[[^]]*showing[^]]*\] @([0-9]+),([0-9]+) ([0-9]+)x([0-9]+).*/\3x\4+\1+\2/p")
  [[ -n $geometry ]] || lt_fail "no extents for \"$1\""
  painted() {
    import -window root -crop "$geometry" +repage "$out" &&
      (($(convert "$out" -format '%[fx:int(mean*100)]' info:) > 50))
  }
  lt_wait_for 10 "\"$1\" painted" painted
  lt_log "saved $out ($geometry)"
}

lt_start_nocturo /D045 /E /S
lt_wait_for 20 "the main window" lt_window_shown "Nocturo v2.5"
lt_wait_for 10 "the count" eval 'lt_dump | grep -q "label \"00:44:"'
shoot "Nocturo v2.5" "$images/linux-main-window.png"
lt_wait_for 20 "the tray item" lt_item_registered
lt_tray_menu --click "Acerca de..."
lt_wait_for 10 "the About window" lt_window_shown "Acerca de..."
shoot "Acerca de..." "$images/linux-about-window.png"
lt_quit
