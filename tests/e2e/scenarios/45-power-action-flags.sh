#!/usr/bin/env bash
# e2e-timeout: 240
# e2e-run: background
# Every action and force combination reaches ExitWindowsEx with its flags:
# power off 9, restart 2, log off 0, and 4 more with "/F". Three of them
# count the 30 seconds of a zero-minute schedule to zero, side by side, each
# in a prefix and display of its own (the power off one shown, for a picture
# of the warning state); the other three are immediate ("/I"). Afterwards no
# nocturo.exe is left in any prefix.
source "$(dirname "$0")/../lib.sh"
e2e_setup

# How many nocturo.exe processes the current prefix has (the driver,
# nocturo_driver.exe, does not match).
nocturo_processes() { e2e_prefix_processes 'nocturo\.exe' | wc -l; }

# expect_request FLAGS: one ExitWindowsEx(FLAGS, 0) in the last trace.
expect_request() {
  e2e_relay_calls >&2
  e2e_relay_has "Call user32\\.ExitWindowsEx\\($1,00000000\\)" || e2e_fail "no ExitWindowsEx($1, 0)"
  [[ $(e2e_relay_count 'Call user32\.ExitWindowsEx\(') == 1 ]] || e2e_fail "more than one request"
  [[ $(nocturo_processes) == 0 ]] || e2e_fail "a nocturo.exe is left in $WINEPREFIX"
}

# warning_picture: the shown main window in the warning state, caught while
# "ATENCIÓN!" is dark red.
warning_picture() {
  local l t r b ll lt lr lb deadline=$((SECONDS + 10)) n=0
  while ((SECONDS < deadline)); do
    n=$((n + 1))
    IFS=, read -r l t r b <<<"$(e2e_driver window principal rect)"
    IFS=, read -r ll lt lr lb <<<"$(e2e_get principal lblAtencion rect)"
    e2e_screenshot "$E2E_ART/screen.png"
    convert "$E2E_ART/screen.png" -crop "$((lr - ll))x$((lb - lt))+$ll+$lt" +repage "$E2E_ART/label.png"
    if convert "$E2E_ART/label.png" -format %c histogram:info:- | grep -q '#800000'; then
      convert "$E2E_ART/screen.png" -crop "$((r - l))x$((b - t))+$l+$t" +repage "$E2E_ART/main-window-warning.png"
      e2e_log "the warning state in dark red, caught in $n screenshots"
      return 0
    fi
    sleep 0.3
  done
  e2e_fail "ATENCIÓN! never seen in dark red"
}

# to_zero NAME FLAGS SWITCHES...: in a prefix and display of its own.
to_zero() {
  local name=$1 flags=$2
  shift 2
  (
    e2e_setup "$E2E_NAME/$name"
    started=$SECONDS
    e2e_start_nocturo --relay "$@"
    e2e_wait_window acercade exists 30000
    if [[ " $* " != *" /S "* ]]; then
      # Counting hidden: shown from the icon to read its display.
      e2e_driver tray 515 >/dev/null || e2e_fail "cannot notify the About window"
      e2e_wait_window principal visible 5000
    fi
    e2e_expect_like principal lblMinRestantes text "00:00:??" 10000
    e2e_expect principal lblAtencion text "ATENCIÓN!" 10000
    count=$(nocturo_processes)
    [[ $count == 1 ]] || e2e_fail "$count nocturo.exe processes seen in $WINEPREFIX while counting"
    if [[ " $* " == *" /S "* ]]; then
      warning_picture
      e2e_save_doc_image "$E2E_ART/main-window-warning.png" main-window-warning.png
    fi
    e2e_wait_exit 90
    took=$((SECONDS - started))
    e2e_log "$*: the request came after ${took}s"
    ((took >= 29)) || e2e_fail "the count of 30 seconds ended after ${took}s"
    e2e_relay_has 'Call shell32\.Shell_NotifyIconA\(00000000,' || e2e_fail "no tray icon while counting"
    expect_request "$flags"
  ) >"$E2E_ART/$name.log" 2>&1
}

pids=() names=()
for run in "poweroff 00000009 /D000 /E /MA /S" "restart-forced 00000006 /D000 /E /MR /F" \
  "logoff-forced 00000004 /D000 /E /ML /F"; do
  read -r -a words <<<"$run"
  to_zero "${words[@]}" &
  pids+=($!) names+=("${words[0]}")
  e2e_log "counting to zero: ${words[*]:2} (expects ExitWindowsEx(${words[1]}, 0))"
done

# Meanwhile, the immediate ones in this scenario's own prefix.
for run in "0000000d /MA /F /I" "00000002 /MR /I" "00000000 /ML /I"; do
  read -r -a words <<<"$run"
  e2e_start_nocturo --relay "${words[@]:1}"
  e2e_wait_exit 30
  expect_request "${words[0]}"
  e2e_log "ok: ${words[*]:1} -> ExitWindowsEx(${words[0]}, 0)"
done

failed=()
for i in "${!pids[@]}"; do
  if wait "${pids[$i]}"; then
    e2e_log "ok: ${names[$i]} ($(grep -o 'the request came after [0-9]*s' "$E2E_ART/${names[$i]}.log"))"
  else
    failed+=("${names[$i]}")
    sed 's/^/    /' "$E2E_ART/${names[$i]}.log" | tail -n 12 >&2
  fi
done
((${#failed[@]} == 0)) || e2e_fail "failed: ${failed[*]}"
