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

mkdir -p "$E2E_OUT"
# Whether 32-bit programs run here is found out once a run, by the first
# scenario that needs them.
export E2E_I686_VERDICT=$E2E_OUT/i686.verdict
rm -f "$E2E_I686_VERDICT" "$E2E_I686_VERDICT.lock"
e2e_ensure_template || {
  echo "cannot boot the template Wine prefix" >&2
  echo "0 passed, 1 failed"
  exit 1
}

header() { sed -nE "s/^# e2e-$2: *([^ ]+).*/\\1/p" "$1" | head -n 1; }

first=() foreground=() background=()
for file in "$here"/scenarios/*.sh; do
  name=$(basename "$file" .sh)
  if (($#)); then
    match=0
    for filter in "$@"; do [[ $name == *"$filter"* ]] && match=1; done
    ((match)) || continue
  fi
  if [[ $(header "$file" arch) == i686 ]]; then
    first+=("$file")
  elif [[ $(header "$file" run) == background ]]; then
    background+=("$file")
  else
    foreground+=("$file")
  fi
done

# run_scenario FILE: runs it with its time limit; writes its exit code,
# duration and first failure (if it was run again) to build/e2e/NAME.result.
# Wine under emulation has rare hiccups of its own, so a failed scenario runs
# once more (E2E_ATTEMPTS, default 2); a pass at the second attempt is still
# reported, with the first attempt's log kept as NAME.first-attempt.log.
run_scenario() {
  local file=$1 name limit start status attempt first=-
  name=$(basename "$file" .sh)
  limit=$(header "$file" timeout)
  rm -f "$E2E_OUT/$name.first-attempt.log"
  for ((attempt = 1; attempt <= ${E2E_ATTEMPTS:-2}; attempt++)); do
    start=$SECONDS
    timeout --kill-after=30 "${limit:-300}" bash "$file" >"$E2E_OUT/$name.log" 2>&1
    status=$?
    [[ $status == 0 || $status == 77 ]] && break
    if ((attempt == 1)); then
      first=$status
      cp "$E2E_OUT/$name.log" "$E2E_OUT/$name.first-attempt.log"
    fi
  done
  echo "$status $((SECONDS - start)) $first" >"$E2E_OUT/$name.result"
}

passed=0 failed=0 skipped=0
failures=() second=() i686_passed=() i686_skipped=() i686_failed=()
report() {
  local file=$1 name status took first
  name=$(basename "$file" .sh)
  read -r status took first <"$E2E_OUT/$name.result"
  if [[ $first != - && $status == 0 ]]; then
    second+=("$name")
    echo "FAILED FIRST $name (exit $first), then passed; first log $E2E_OUT/$name.first-attempt.log:"
    tail -n 8 "$E2E_OUT/$name.first-attempt.log" | sed 's/^/    /'
  fi
  if [[ $(header "$file" arch) == i686 ]]; then
    [[ $status == 0 ]] && i686_passed+=("$name (${took}s)")
    [[ $status == 77 ]] && i686_skipped+=("$name")
    [[ $status != 0 && $status != 77 ]] && i686_failed+=("$name")
  fi
  case $status in
    0) passed=$((passed + 1)); echo "PASS $name (${took}s)" ;;
    77) skipped=$((skipped + 1)); echo "SKIP $name: $(tail -n 1 "$E2E_OUT/$name.log")" ;;
    *)
      failed=$((failed + 1))
      failures+=("$name")
      echo "FAIL $name (${took}s, exit $status), log $E2E_OUT/$name.log:"
      tail -n 15 "$E2E_OUT/$name.log" | sed 's/^/    /'
      ;;
  esac
}

for file in "${first[@]}"; do
  run_scenario "$file"
  report "$file"
done
pids=()
for file in "${background[@]}"; do
  echo "started $(basename "$file" .sh) in the background"
  run_scenario "$file" &
  pids+=($!)
done
for file in "${foreground[@]}"; do
  run_scenario "$file"
  report "$file"
done
for i in "${!background[@]}"; do
  wait "${pids[$i]}"
  report "${background[$i]}"
done

((skipped)) && echo "$skipped skipped (the reasons are above)"
if ((${#i686_skipped[@]})); then
  echo "the shipped 32-bit nocturo.exe was NOT run (${i686_skipped[*]} skipped), as this" \
    "machine cannot run 32-bit programs: $(tail -n +2 "$E2E_I686_VERDICT" 2>/dev/null || echo "see the logs")"
elif ((${#i686_failed[@]})); then
  echo "the shipped 32-bit nocturo.exe FAILED: ${i686_failed[*]} (its log is above)"
elif ((${#i686_passed[@]})); then
  echo "the shipped 32-bit nocturo.exe ran and passed: ${i686_passed[*]}"
fi
((${#second[@]})) && echo "passed only at the second attempt: ${second[*]}"
((failed)) && echo "failed: ${failures[*]}"
# The closing line; "x64-only:" in front of it when the shipped 32-bit
# program could not be run here.
counts="$passed passed, $failed failed"
((skipped)) && counts+=", $skipped skipped"
((${#i686_skipped[@]})) && counts="x64-only: $counts"
echo "$counts"
((failed == 0))
