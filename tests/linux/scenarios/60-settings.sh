#!/usr/bin/env bash
# The window position in $XDG_CONFIG_HOME/Nocturo/Nocturo.conf, section
# Config, keys PosX and PosY in twips: read at start-up, written back on the
# way out, moved windows included; garbage in the file and a configuration
# directory that cannot be made leave the program running and counting; a
# lock that cannot be taken, a linked file, a directory in the file's place
# lose at most the write, never the exit nor the power request.
# lt-timeout: 180
source "$(dirname "$0")/../lib.sh"
lt_setup
lt_start_atspi
lt_start_watcher

# window_at X Y: the main window's top-left corner on the screen, in pixels.
window_at() { lt_dump | grep -qE "^[a-z ]+ \"Nocturo v2\\.5\" \[[^]]*showing[^]]*\] @$1,$2 "; }
conf_holds() { grep -qx "PosX=$1" "$(lt_conf)" && grep -qx "PosY=$2" "$(lt_conf)"; }
# move_and_quit WHERE: a copy started at 100,200 (as WHERE says) moved to
# 300,150 by the window manager, then ended.
move_and_quit() {
  lt_start_nocturo /S
  lt_wait_for 20 "the main window $1" window_at 100 200
  local window
  window=$(lt_window_id 'Nocturo v2.5')
  [[ -n $window ]] || lt_fail "no X window of the main window"
  xdotool windowmove "$window" 300 150
  lt_wait_for 10 "the moved window at 300,150" window_at 300 150
  lt_quit
}

mkdir -p "$XDG_CONFIG_HOME/Nocturo"
printf '[Config]\nPosX=1500\nPosY=3000\n' >"$(lt_conf)"
lt_start_nocturo /S
lt_wait_for 20 "the main window at 100,200 (1500 and 3000 twips)" window_at 100 200
lt_quit
conf_holds 1500 3000 || lt_fail "the position came back as: $(cat "$(lt_conf)")"
grep -qx '\[Config\]' "$(lt_conf)" || lt_fail "no [Config] section: $(cat "$(lt_conf)")"
lt_log "ok: 1500/3000 twips read and written back unchanged"

move_and_quit "where the file says"
conf_holds 4500 2250 || lt_fail "after a move to 300,150 the file holds: $(cat "$(lt_conf)")"
lt_log "ok: a moved window is stored as 4500/2250 twips"

head -c 300 /dev/urandom >"$(lt_conf)"
printf '\n[Config]\nPosX=zwölf\nPosY=\x01\x02\n[Config\n=\n' >>"$(lt_conf)"
lt_start_nocturo /S /D010 /E
lt_wait_for 20 "the main window despite a garbage file" lt_window_shown "Nocturo v2.5"
lt_wait_for 5 "the count despite a garbage file" lt_tooltip_matches '^Nocturo - 00:(09|10):[0-5][0-9]$'
lt_quit
grep -qxE 'PosX=-?[0-9]+' "$(lt_conf)" || lt_fail "no position stored over the garbage: $(cat -v "$(lt_conf)")"
lt_log "ok: a garbage file: centred, counting, then a valid position stored"

rm -rf "$XDG_CONFIG_HOME/Nocturo"
echo "not a directory" >"$XDG_CONFIG_HOME/Nocturo"
lt_start_nocturo /S /D010 /E
lt_wait_for 20 "the main window without a settings directory" lt_window_shown "Nocturo v2.5"
lt_wait_for 5 "the count without a settings directory" lt_tooltip_matches '^Nocturo - 00:(09|10):[0-5][0-9]$'
lt_quit
[[ $(cat "$XDG_CONFIG_HOME/Nocturo") == "not a directory" ]] || lt_fail "the file in the directory's place was changed"
lt_log "ok: a settings directory that cannot be made"

# A lock that can never be taken (a directory in its place) loses the writes,
# never the exit nor the power request that comes after the position.
rm -rf "$XDG_CONFIG_HOME/Nocturo"
mkdir -p "$XDG_CONFIG_HOME/Nocturo/Nocturo.conf.lock"
printf '[Config]\nPosX=1500\nPosY=3000\n' >"$(lt_conf)"
lt_start_nocturo /S
lt_wait_for 20 "the main window with the lock taken" window_at 100 200
lt_quit
lt_start_logind
lt_clear_logind_calls
lt_start_nocturo /MA /I
lt_wait_exit 15
lt_expect_logind_calls $'ListInhibitors\nPowerOff False'
conf_holds 1500 3000 || lt_fail "the file changed without its lock: $(cat "$(lt_conf)")"
lt_log "ok: a lock that cannot be taken: the exit and the power request go on"

# The file a link to another: the link stays, its target is written.
rm -rf "$XDG_CONFIG_HOME/Nocturo"
mkdir -p "$XDG_CONFIG_HOME/Nocturo" "$LT_TMP/dotfiles"
printf '[Config]\nPosX=1500\nPosY=3000\n' >"$LT_TMP/dotfiles/Nocturo.conf"
ln -s "$LT_TMP/dotfiles/Nocturo.conf" "$(lt_conf)"
move_and_quit "where the linked file says"
[[ -L $(lt_conf) ]] || lt_fail "the link was replaced by a file"
conf_holds 4500 2250 || lt_fail "the link's target holds: $(cat "$LT_TMP/dotfiles/Nocturo.conf")"
lt_log "ok: a linked settings file: the target written, the link kept"

# A directory where the file should be: centred, and the exit goes on.
rm -rf "$XDG_CONFIG_HOME/Nocturo"
mkdir -p "$(lt_conf)"
lt_start_nocturo /S
lt_wait_for 20 "the main window with a directory for a file" lt_window_shown "Nocturo v2.5"
lt_quit
[[ -d $(lt_conf) && -z $(ls -A "$(lt_conf)") ]] || lt_fail "the directory in the file's place was changed"
lt_log "ok: a directory in the settings file's place"

# A configuration directory the user may not write (root may write anywhere).
if ((EUID != 0)); then
  rm -rf "$XDG_CONFIG_HOME/Nocturo"
  mkdir -p "$XDG_CONFIG_HOME/Nocturo"
  printf '[Config]\nPosX=1500\nPosY=3000\n' >"$(lt_conf)"
  chmod 500 "$XDG_CONFIG_HOME/Nocturo"
  lt_start_nocturo /S
  lt_wait_for 20 "the main window in a read-only directory" window_at 100 200
  lt_quit
  chmod 700 "$XDG_CONFIG_HOME/Nocturo"
  conf_holds 1500 3000 || lt_fail "a read-only directory's file changed: $(cat "$(lt_conf)")"
  lt_log "ok: a configuration directory that cannot be written"
fi
