#!/usr/bin/env bash
# Side by side, in one run and in one throwaway environment (Xvfb, private
# session and system buses, logind mock, our tray watcher): Debian's
# kshutdown and qshutdown, the bare Qt tray program (the floor) and nocturo.
#
#   bench/linux/run.sh [RUNS]     RUNS measured rounds (default 5), after one
#                                 warm-up round that is not counted
#
# For each program and round: the time from exec to its tray item's
# registration (the watcher's timestamp), then PSS and wake-ups while stopped
# and, in a second start, while counting. Medians go to
# bench/linux/results.json and results.md. Installs kshutdown and qshutdown
# when missing; they run only here, only for measurement, against the
# private buses (a power request would reach the mock, not this machine).
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
runs=${1:-5}
window=${BENCH_WINDOW:-10}

for package in kshutdown qshutdown; do
  if [[ $(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null) != installed ]]; then
    sudo=()
    ((EUID == 0)) || sudo=(sudo)
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$package" || exit 1
  fi
done

# NOCTURO_LINUX_BIN measures another build of the program.
if [[ -z ${NOCTURO_LINUX_BIN:-} ]]; then
  cmake --preset linux >/dev/null && cmake --build --preset linux --target nocturo -j 2 || exit 1
fi
cmake --build --preset linux --target tray_floor -j 2 >/dev/null || exit 1

# shellcheck source=../../tests/linux/lib.sh
source "$root/tests/linux/lib.sh"
lt_setup
lt_start_watcher
lt_start_logind

# qshutdown: tray only at start-up, as the others; a 60-minute count.
mkdir -p "$HOME/.qshutdown"
printf '[General]\nHide_at_startup=true\n[Time]\ncountdown_minutes=60\n' >"$HOME/.qshutdown/qshutdown.conf"

# name|binary|arguments stopped|arguments counting ("-" for none)
programs=(
  "kshutdown|/usr/bin/kshutdown|--init|--init --shutdown 60"
  "qshutdown|/usr/bin/qshutdown||-s"
  "floor|$root/build/linux/tray_floor||-"
  "nocturo|${NOCTURO_LINUX_BIN:-$root/build/linux/nocturo}||/D060 /E"
)

# Context switches of all the process's threads: each voluntary one is a
# thread that went to sleep and was woken again, each involuntary one a
# preemption; their sum over an interval counts the wake-ups in it.
switches() {
  local sum=0 file n
  for file in /proc/"$1"/task/*/status; do
    while read -r key n; do
      [[ $key == voluntary_ctxt_switches: || $key == nonvoluntary_ctxt_switches: ]] && sum=$((sum + n))
    done <"$file" 2>/dev/null
  done
  echo "$sum"
}
pss_kib() { awk '/^Pss:/ {print $2}' "/proc/$1/smaps_rollup"; }

samples=$LT_TMP/samples.tsv
: >"$samples"

# measure NAME PHASE BINARY ARGS...: one start; appends "name phase metric value".
measure() {
  local name=$1 phase=$2 binary=$3 mark t0 registered
  shift 3
  mark=$(wc -l <"$LT_WATCHER_LOG")
  LT_BIN=$binary
  t0=$(date +%s%N)
  lt_start_nocturo "$@"
  new_item() { (($(wc -l <"$LT_WATCHER_LOG") > mark)); }
  lt_wait_for 30 "$name's tray item" new_item
  registered=$(sed -n "$((mark + 1))p" "$LT_WATCHER_LOG" | cut -d' ' -f1)
  # Let start-up's own work (fonts, icon themes, first paint) finish.
  sleep 2
  local before after
  before=$(switches "$NOCTURO_PID")
  sleep "$window"
  after=$(switches "$NOCTURO_PID")
  {
    [[ $phase == stopped ]] && printf '%s\tstartup_ms\t%s\n' "$name" $(((registered - t0) / 1000000))
    printf '%s\tpss_%s_kib\t%s\n' "$name" "$phase" "$(pss_kib "$NOCTURO_PID")"
    printf '%s\twakeups_%s_per_s\t%s\n' "$name" "$phase" "$(awk -v d=$((after - before)) -v w="$window" 'BEGIN {printf "%.1f", d / w}')"
  } >>"$ROUND_FILE"
  lt_expect_running
  kill "$NOCTURO_PID"
  lt_wait_for 10 "$name to end" lt_gone "$NOCTURO_PID"
  # The host forgets the item when its owner leaves the bus.
  lt_wait_for 10 "$name's item to go" eval '(($(lt_item_count) == 0))'
}

for ((round = 0; round <= runs; round++)); do
  ROUND_FILE=$LT_TMP/round.$round
  : >"$ROUND_FILE"
  for entry in "${programs[@]}"; do
    IFS='|' read -r name binary stopped counting <<<"$entry"
    # shellcheck disable=SC2086 # the arguments are words
    measure "$name" stopped "$binary" $stopped
    # shellcheck disable=SC2086
    [[ $counting == - ]] || measure "$name" counting "$binary" $counting
  done
  if ((round == 0)); then
    lt_log "warm-up round done"
  else
    cat "$ROUND_FILE" >>"$samples"
    lt_log "round $round of $runs: $(tr '\t\n' ' ;' <"$ROUND_FILE")"
  fi
done

"$LT_PY" "$here/report.py" "$samples" "$here/results.json" "$here/results.md" \
  "$runs" "$window" "$(nproc)" || exit 1
cat "$here/results.md"
