#!/usr/bin/env bash
# Runs the end-to-end scenarios under Wine and prints "N passed, N failed".
#
#   tests/e2e/run.sh                 every scenario in tests/e2e/scenarios/
#   tests/e2e/run.sh countdown tray  the scenarios whose file name contains a word
#
# A scenario is a bash script; exit 0 passes, 77 skips (its last line says
# why), anything else fails. Header comments tune how it runs:
#   # e2e-timeout: SECONDS    its time limit (default 300)
#   # e2e-run: background     runs alongside the others (slow, mostly waiting)
# Logs, screenshots and relay traces go to build/e2e/<scenario>/ and
# build/e2e/<scenario>.log. E2E_DOC_IMAGES=1 also refreshes docs/images/.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=lib.sh
source "$here/lib.sh"

mkdir -p "$E2E_OUT"
e2e_ensure_template || {
  echo "cannot boot the template Wine prefix" >&2
  echo "0 passed, 1 failed"
  exit 1
}

header() { sed -nE "s/^# e2e-$2: *([^ ]+).*/\\1/p" "$1" | head -n 1; }

foreground=() background=()
for file in "$here"/scenarios/*.sh; do
  name=$(basename "$file" .sh)
  if (($#)); then
    match=0
    for filter in "$@"; do [[ $name == *"$filter"* ]] && match=1; done
    ((match)) || continue
  fi
  if [[ $(header "$file" run) == background ]]; then
    background+=("$file")
  else
    foreground+=("$file")
  fi
done

# run_scenario FILE: runs it with its time limit; writes its exit code and
# duration to build/e2e/NAME.result.
run_scenario() {
  local file=$1 name limit start status
  name=$(basename "$file" .sh)
  limit=$(header "$file" timeout)
  start=$SECONDS
  timeout --kill-after=30 "${limit:-300}" bash "$file" >"$E2E_OUT/$name.log" 2>&1
  status=$?
  echo "$status $((SECONDS - start))" >"$E2E_OUT/$name.result"
}

passed=0 failed=0 skipped=0
failures=()
report() {
  local file=$1 name status took
  name=$(basename "$file" .sh)
  read -r status took <"$E2E_OUT/$name.result"
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
((failed)) && echo "failed: ${failures[*]}"
echo "$passed passed, $failed failed"
((failed == 0))
