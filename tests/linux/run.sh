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
RN_OUT=$LT_OUT
# shellcheck source=../lib/runner.sh
source "$here/../lib/runner.sh"
mkdir -p "$LT_OUT"

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
  rn_selected "$name" "$@" || continue
  rn_run "$file" "$name" LT_SESSION="$session" LT_RUN_NAME="$name"
done
rn_summary
