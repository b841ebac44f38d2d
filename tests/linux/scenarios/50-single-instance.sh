#!/usr/bin/env bash
# A second copy ends at once whatever its switches, without a tray item,
# a power request or a change to the running copy; two copies started at the
# same moment leave exactly one, with one item; a copy started without
# XDG_RUNTIME_DIR, or with an unusable one, ends as well; a copy killed
# outright leaves no lock behind; a runtime directory open to others, or a
# link in its place, is no place for the lock.
source "$(dirname "$0")/../lib.sh"
lt_setup
lt_start_atspi
lt_start_watcher
lt_start_logind

lt_start_nocturo /S
first=$NOCTURO_PID
lt_wait_for 20 "the first copy's tray item" lt_item_registered
lt_wait_for 20 "the first copy's main window" lt_window_shown "Nocturo v2.5"
lt_clear_logind_calls
lt_start_nocturo /D005 /E /S /ML /F /I
lt_wait_exit 10
((LT_EXIT == 0)) || lt_fail "the second copy ended with status $LT_EXIT"
lt_expect_logind_calls ""
(($(lt_item_count) == 1)) || lt_fail "$(lt_item_count) tray items with a second copy"
NOCTURO_PID=$first
lt_expect_running
lt_expect_control "label" "DETENIDO"
lt_expect_control "radio button" "Apagar" checked
lt_expect_control "check box" "Forzar" '!checked'
lt_log "ok: the second copy ended and the first is untouched"
lt_quit

lt_start_nocturo
a=$NOCTURO_PID
lt_start_nocturo
b=$NOCTURO_PID
one_gone() { lt_gone "$a" || lt_gone "$b"; }
lt_wait_for 15 "one of two simultaneous copies to end" one_gone
lt_wait_for 20 "the survivor's tray item" lt_item_registered
if lt_gone "$a"; then survivor=$b; else survivor=$a; fi
lt_alive "$survivor" || lt_fail "both simultaneous copies ended"
(($(lt_item_count) == 1)) || lt_fail "$(lt_item_count) tray items after two simultaneous starts"
lt_log "ok: of two simultaneous copies PID $survivor runs on, alone in the tray"

# A copy started without XDG_RUNTIME_DIR (cron, su), or with one it may not
# use, finds the same lock and ends.
NOCTURO_PID=$survivor
for variable in "-u XDG_RUNTIME_DIR" "XDG_RUNTIME_DIR=$HOME"; do
  read -ra LT_ENV <<<"$variable"
  lt_start_nocturo /D005 /E
  lt_wait_exit 10
  ((LT_EXIT == 0)) || lt_fail "the copy started with $variable ended with status $LT_EXIT"
done
LT_ENV=()
(($(lt_item_count) == 1)) || lt_fail "$(lt_item_count) tray items with copies started elsewhere"
lt_expect_running "$survivor"
lt_log "ok: copies started without XDG_RUNTIME_DIR or with an unusable one ended"

# A copy killed outright leaves no lock behind.
kill -KILL "$survivor"
lt_wait_for 10 "the killed copy to go" lt_gone "$survivor"
lt_wait_for 10 "its item to go" eval '(($(lt_item_count) == 0))'
lt_start_nocturo
lt_wait_for 20 "the next copy's tray item" lt_item_registered
lt_expect_running
lt_log "ok: after kill -9 the next copy runs"
lt_quit

# Where anyone could take or replace the lock, the program must not keep it
# (it goes to /tmp/nocturo-UID instead).
place=$LT_TMP/run-user/$(id -u)
for wrong in "open to others" "a link"; do
  rm -rf "$place"
  if [[ $wrong == "a link" ]]; then
    mkdir -m 700 "$LT_TMP/linked" && ln -s "$LT_TMP/linked" "$place"
  else
    LT_RUN_USER_MODE=777
  fi
  lt_start_nocturo
  lt_wait_for 20 "the tray item of a copy whose runtime directory is $wrong" lt_item_registered
  if [[ -n $(ls -A "$place/") ]]; then
    lt_fail "the program used a runtime directory that is $wrong: $(ls -lA "$place/")"
  fi
  lt_quit
  LT_RUN_USER_MODE=700
done
lt_log "ok: no lock in a runtime directory open to others or linked"
