#!/usr/bin/env bash
# The tray icon's calls to the shell, read from the relay trace of a hidden
# "/D002 /E": one add at start-up (the count's first tooltip change, made
# while the main window loads, comes before it and finds no icon), then one
# tooltip change per tick of the count; a "TaskbarCreated" broadcast (the taskbar came back) adds the icon
# again; "Salir" in the tray menu removes it, and nothing else touches it.
# The main window, shown from the icon once the icon is in, displays the count.
source "$(dirname "$0")/../lib.sh"
e2e_setup

ADD='Call shell32\.Shell_NotifyIconA\(00000000,'
MODIFY='Call shell32\.Shell_NotifyIconA\(00000001,'
DELETE='Call shell32\.Shell_NotifyIconA\(00000002,'
ANY='Call shell32\.Shell_NotifyIconA\('

e2e_start_nocturo --relay /D002 /E
e2e_wait_window acercade exists 30000
e2e_wait_for 10 "the tray icon (NIM_ADD)" e2e_relay_has "$ADD"
[[ $(e2e_driver window principal visible) == 0 ]] || e2e_fail "the main window shows without /S"
e2e_driver tray 515 >/dev/null || e2e_fail "cannot notify the About window"
e2e_wait_window principal visible 5000
e2e_expect principal lblAtencion text "CONTANDO"

# The display and the number of tooltip changes, read together: the tick
# changes both in one go, so a pair read across a tick is read again.
read_pair() {
  local before after shown
  for _ in 1 2 3 4 5; do
    before=$(e2e_relay_count "$MODIFY")
    shown=$(e2e_get principal lblMinRestantes text)
    after=$(e2e_relay_count "$MODIFY")
    if ((before == after)); then
      echo "$(e2e_seconds_of "$shown") $after"
      return
    fi
  done
  e2e_fail "the tooltip changes would not hold still"
}

read -r left0 calls0 < <(read_pair)
e2e_log "display at ${left0}s left, $calls0 tooltip changes so far"
# Every tick since the start has made one change after the add.
after_add=$(awk -v add="$ADD" -v modify="$MODIFY" '$0 ~ add { on = 1 } on && $0 ~ modify { n++ } END { print n + 0 }' "$NOCTURO_RELAY")
((after_add == 120 - left0 || after_add == 120 - left0 + 1)) ||
  e2e_fail "$after_add tooltip changes after the add, at ${left0}s of 120"
# Five seconds or more of counting.
target=$((left0 - 5))
e2e_expect principal lblMinRestantes text "$(printf '00:%02d:%02d' $((target / 60)) $((target % 60)))" 9000
read -r left1 calls1 < <(read_pair)
ticks=$((left0 - left1)) changes=$((calls1 - calls0))
e2e_log "the display went down by $ticks, the tooltip changed $changes times"
((ticks >= 5)) || e2e_fail "only $ticks ticks"
((changes == ticks)) || e2e_fail "$changes tooltip changes for $ticks ticks"

adds=$(e2e_relay_count "$ADD")
((adds == 1)) || e2e_fail "$adds NIM_ADD calls at start-up"
first=$(grep -Em1 "$ANY" "$NOCTURO_RELAY")
e2e_log "first icon call: ${first:0:80}"

# The taskbar is back: the icon is added again.
e2e_driver taskbarcreated >/dev/null || e2e_fail "cannot broadcast TaskbarCreated"
e2e_wait_for 5 "the icon added again (a second NIM_ADD)" \
  bash -c '(( $(grep -Ec "$1" "$2") == 2 ))' _ "$ADD" "$NOCTURO_RELAY"
e2e_log "ok: the icon was added again after TaskbarCreated"
# And the count goes on with it.
changes_before=$(e2e_relay_count "$MODIFY")
e2e_wait_for 5 "a tooltip change after the new add" \
  bash -c '(( $(grep -Ec "$1" "$2") > $3 ))' _ "$MODIFY" "$NOCTURO_RELAY" "$changes_before"

# "Salir": one NIM_DELETE, the last call on the icon.
e2e_tray_exit
e2e_wait_exit 20
deletes=$(e2e_relay_count "$DELETE")
((deletes == 1)) || e2e_fail "$deletes NIM_DELETE calls"
last=$(grep -E "$ANY" "$NOCTURO_RELAY" | tail -n 1)
[[ $last =~ $DELETE ]] || e2e_fail "the last icon call is not the removal: $last"
((adds = $(e2e_relay_count "$ADD"), adds == 2)) || e2e_fail "$adds NIM_ADD calls in all"
if e2e_relay_has 'Call user32\.ExitWindowsEx'; then e2e_fail "Salir asked for a power action"; fi
e2e_log "icon calls: $(e2e_relay_count "$ADD") add, $(e2e_relay_count "$MODIFY") modify, $deletes delete"
