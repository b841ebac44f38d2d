#!/usr/bin/env bash
# A tray host that comes after the program, as at log-in when the program
# starts before the panel: the item appears however late the host comes and
# in whatever order the watcher and its host appear; after a restart of the
# watcher whose host registers a second later, the item comes back.
# lt-timeout: 120
source "$(dirname "$0")/../lib.sh"
lt_setup
# Qt says which tray it settled on.
LT_ENV=("QT_LOGGING_RULES=qt.qpa.tray.debug=true")

# No tray at all at start, then a watcher with its host.
lt_start_nocturo /D090 /E
lt_wait_for 10 "the program to take its lock" lt_listening
lt_start_watcher
lt_wait_for 15 "the item with a tray that came after the program" lt_item_registered
lt_wait_for 5 "the tooltip to follow the count" lt_tooltip_matches '^Nocturo - 01:[0-5][0-9]:[0-5][0-9]$'
lt_log "ok: the item appeared with a late tray: $(lt_sni tooltip)"

# The watcher restarts; its host registers a second after its name appears.
lt_stop_watcher
lt_start_watcher_host_after 1
lt_wait_for 15 "the item with the restarted watcher's late host" lt_item_registered
(($(lt_item_count) == 1)) || lt_fail "$(lt_item_count) items after the restart"
lt_log "ok: the item came back after the watcher's restart"
lt_stop_watcher
kill "$NOCTURO_PID"
lt_wait_for 10 "the first program to end" lt_gone "$NOCTURO_PID"

# No tray at start; a watcher whose host registers a second after it.
lt_start_nocturo /D090 /E
lt_wait_for 10 "the program to take its lock" lt_listening
lt_start_watcher_host_after 1
lt_wait_for 15 "the item with a watcher whose host came later" lt_item_registered
lt_log "ok: the item appeared when the late watcher's host registered"
grep -q 'D-Bus tray available: true' "$NOCTURO_LOG" || lt_fail "Qt did not settle on the D-Bus tray: $(grep 'qt.qpa.tray' "$NOCTURO_LOG")"
