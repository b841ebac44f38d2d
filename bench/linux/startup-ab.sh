#!/usr/bin/env bash
# Start-up to the tray item, the floor and nocturo alternating, nothing else
# started in between (run.sh starts the schedulers between them, which slows
# whichever comes next at times).
#
#   bench/linux/startup-ab.sh [STARTS]   STARTS of each (default 16), after one
#                                        warm-up start of each; prints medians
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
starts=${1:-16}
cmake --preset linux >/dev/null && cmake --build --preset linux --target nocturo tray_floor -j 2 >/dev/null || exit 1

# shellcheck source=../../tests/linux/lib.sh
source "$root/tests/linux/lib.sh"
lt_setup
lt_start_watcher
lt_start_logind

programs=("$root/build/linux/tray_floor" "${NOCTURO_LINUX_BIN:-$root/build/linux/nocturo}")
declare -A times
for ((start = 0; start <= starts; start++)); do
  for binary in "${programs[@]}"; do
    LT_BIN=$binary
    mark=$(wc -l <"$LT_WATCHER_LOG")
    t0=$(date +%s%N)
    lt_start_nocturo >/dev/null
    lt_wait_for 30 "the tray item" eval '(($(wc -l <"$LT_WATCHER_LOG") > mark))'
    registered=$(sed -n "$((mark + 1))p" "$LT_WATCHER_LOG" | cut -d' ' -f1)
    ((start)) && times[$binary]+="$(((registered - t0) / 1000)) "
    kill "$NOCTURO_PID"
    lt_wait_for 10 "the program to end" lt_gone "$NOCTURO_PID"
    lt_wait_for 10 "its item to go" eval '(($(lt_item_count) == 0))'
  done
done

median_us() { tr ' ' '\n' <<<"$1" | grep . | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
floor=$(median_us "${times[${programs[0]}]}")
nocturo=$(median_us "${times[${programs[1]}]}")
awk -v f="$floor" -v n="$nocturo" -v s="$starts" \
  'BEGIN {printf "%d starts each: floor %.1f ms, nocturo %.1f ms, %.2fx the floor\n", s, f / 1000, n / 1000, n / f}'
