#!/usr/bin/env bash
# Zero minutes means a 30-second count spent entirely in the warning state:
# "ATENCIÓN!" whose colour alternates between black and dark red every second.
source "$(dirname "$0")/../lib.sh"
e2e_setup

e2e_start_nocturo /S
e2e_wait_window principal visible 30000
e2e_type principal txtDentroDe '\b\b\b0'
shown=$(e2e_driver click principal "$(e2e_id btnEmpezar)" ";" get principal "$(e2e_id lblMinRestantes)" text) ||
  e2e_fail "click on Empezar: $shown"
[[ $shown == "00:00:30" ]] || e2e_fail "right after the start the display reads '$shown'"
e2e_expect principal lblAtencion text "ATENCIÓN!"

# Crop the status label until both colours have been seen.
seen_red=0 seen_black=0
deadline=$((SECONDS + 12))
n=0
while ((!(seen_red && seen_black))); do
  ((SECONDS < deadline)) || e2e_fail "the status label did not alternate (red seen: $seen_red, black seen: $seen_black)"
  n=$((n + 1))
  shot=$E2E_ART/atencion-$n.png
  e2e_control_shot principal lblAtencion "$shot"
  colours=$(convert "$shot" -format %c histogram:info:-)
  if grep -q '#800000' <<<"$colours"; then
    ((seen_red)) || cp "$shot" "$E2E_ART/atencion-red.png"
    seen_red=1
  elif grep -q '#000000' <<<"$colours"; then
    ((seen_black)) || cp "$shot" "$E2E_ART/atencion-black.png"
    seen_black=1
  fi
  sleep 0.3
done
e2e_log "both colours seen in $n crops"
convert "$E2E_ART/atencion-black.png" "$E2E_ART/atencion-red.png" -append "$E2E_ART/atencion-blink.png"
e2e_window_shot principal "$E2E_ART/main-window-warning.png"
