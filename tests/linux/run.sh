#!/usr/bin/env bash
# Runs the Linux program's scenarios and ends with one line
# "N passed, N failed" (", N skipped" after it when some were skipped).
#
#   tests/linux/run.sh             every scenario in tests/linux/scenarios/
#   tests/linux/run.sh tray power  the scenarios whose file name contains a word
#
# A scenario is a bash script; exit 0 passes, 77 skips (its last line says
# why), anything else fails. "# lt-timeout: SECONDS" in its header sets its
# time limit (default 90); "# lt-sessions: wayland wayland-x" runs it again
# under a headless weston, named NAME@wayland (pure Wayland) and
# NAME@wayland-x (XWayland), with LT_SESSION set (see lib.sh); a word may name
# those ("@wayland"). Logs go to build/linux-e2e/NAME.log, and a failed
# scenario's bus, watcher and program logs to build/linux-e2e/NAME/.
# The program is build/linux/nocturo, or NOCTURO_LINUX_BIN.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=lib.sh
source "$here/lib.sh"
mkdir -p "$LT_OUT"

passed=0 failed=0 skipped=0 failures=()
run_one() {
  local file=$1 name=$2 session=$3 limit start took status
  limit=$(sed -nE 's/^# lt-timeout: *([0-9]+).*/\1/p' "$file" | head -n 1)
  start=$SECONDS
  LT_SESSION=$session LT_RUN_NAME=$name timeout --kill-after=10 "${limit:-90}" bash "$file" >"$LT_OUT/$name.log" 2>&1
  status=$?
  took=$((SECONDS - start))
  case $status in
    0) passed=$((passed + 1)); echo "PASS $name (${took}s)" ;;
    77) skipped=$((skipped + 1)); echo "SKIP $name: $(tail -n 1 "$LT_OUT/$name.log")" ;;
    *)
      failed=$((failed + 1))
      failures+=("$name")
      echo "FAIL $name (${took}s, exit $status), log $LT_OUT/$name.log:"
      tail -n 15 "$LT_OUT/$name.log" | sed 's/^/    /'
      ;;
  esac
}

runs=()
for file in "$here"/scenarios/*.sh; do
  base=$(basename "$file" .sh)
  runs+=("$file"$'\t'"$base"$'\t'x11)
  for session in $(sed -nE 's/^# lt-sessions: *(.*)/\1/p' "$file" | head -n 1); do
    runs+=("$file"$'\t'"$base@$session"$'\t'"$session")
  done
done
for run in "${runs[@]}"; do
  IFS=$'\t' read -r file name session <<<"$run"
  if (($#)); then
    match=0
    for filter in "$@"; do [[ $name == *"$filter"* ]] && match=1; done
    ((match)) || continue
  fi
  run_one "$file" "$name" "$session"
done

((failed)) && echo "failed: ${failures[*]}"
counts="$passed passed, $failed failed"
((skipped)) && counts+=", $skipped skipped"
echo "$counts"
((failed == 0))
