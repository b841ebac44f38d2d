#!/usr/bin/env bash
# Runs the end-to-end scenarios under Wine and prints "N passed, N failed"
# (", N skipped" after it when some were skipped).
#
#   tests/e2e/run.sh                 every scenario in tests/e2e/scenarios/
#   tests/e2e/run.sh countdown tray  the scenarios whose file name contains a word
#
# A scenario is a bash script; exit 0 passes, 77 skips (its last line says
# why), anything else fails. Header comments tune how it runs:
#   # e2e-timeout: SECONDS    its time limit (default 300)
#   # e2e-run: background     runs alongside the others (slow, mostly waiting)
#   # e2e-arch: i686          runs the shipped 32-bit program, first and
#                             alone (under qemu it needs a core to itself);
#                             the summary says whether it ran, and it may
#                             skip only where 32-bit programs cannot run
# Logs, screenshots and relay traces go to build/e2e/<scenario>/ and
# build/e2e/<scenario>.log. E2E_DOC_IMAGES=1 also refreshes docs/images/.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=lib.sh
source "$here/lib.sh"

RN_OUT=$E2E_OUT RN_TAG=e2e RN_TIMEOUT=300 RN_KILL_AFTER=30
# Wine under emulation has rare hiccups of its own, so a failed scenario runs
# once more (E2E_ATTEMPTS, default 2).
RN_ATTEMPTS=${E2E_ATTEMPTS:-2}
# shellcheck source=../lib/runner.sh
source "$here/../lib/runner.sh"

mkdir -p "$E2E_OUT"
# Whether 32-bit programs run here is found out once a run, by the first
# scenario that needs them.
export E2E_I686_VERDICT=$E2E_OUT/i686.verdict
rm -f "$E2E_I686_VERDICT" "$E2E_I686_VERDICT.lock"
e2e_ensure_template || rn_abort e2e "cannot boot the template Wine prefix"

first=() foreground=() background=()
for file in "$here"/scenarios/*.sh; do
  rn_selected "$(basename "$file" .sh)" "$@" || continue
  if [[ $(rn_header "$file" arch) == i686 ]]; then
    first+=("$file")
  elif [[ $(rn_header "$file" run) == background ]]; then
    background+=("$file")
  else
    foreground+=("$file")
  fi
done

i686_passed=() i686_skipped=() i686_failed=()
report() {
  local name
  name=$(basename "$1" .sh)
  rn_report "$name"
  [[ $(rn_header "$1" arch) == i686 ]] || return 0
  case $RN_STATUS in
    0) i686_passed+=("$name (${RN_TOOK}s)") ;;
    77) i686_skipped+=("$name") ;;
    *) i686_failed+=("$name") ;;
  esac
}

for file in "${first[@]}"; do
  rn_attempt "$file" "$(basename "$file" .sh)"
  report "$file"
done
pids=()
for file in "${background[@]}"; do
  echo "started $(basename "$file" .sh) in the background"
  rn_attempt "$file" "$(basename "$file" .sh)" &
  pids+=($!)
done
for file in "${foreground[@]}"; do
  rn_attempt "$file" "$(basename "$file" .sh)"
  report "$file"
done
for i in "${!background[@]}"; do
  wait "${pids[$i]}"
  report "${background[$i]}"
done

if ((${#i686_skipped[@]})); then
  echo "the shipped 32-bit nocturo.exe was NOT run (${i686_skipped[*]} skipped), as this" \
    "machine cannot run 32-bit programs: $(tail -n +2 "$E2E_I686_VERDICT" 2>/dev/null || echo "see the logs")"
elif ((${#i686_failed[@]})); then
  echo "the shipped 32-bit nocturo.exe FAILED: ${i686_failed[*]} (its log is above)"
elif ((${#i686_passed[@]})); then
  echo "the shipped 32-bit nocturo.exe ran and passed: ${i686_passed[*]}"
fi
# "x64-only:" in front of the closing line when the shipped 32-bit program
# could not be run here.
rn_summary "${i686_skipped[*]:+x64-only: }"
