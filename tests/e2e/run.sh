#!/usr/bin/env bash
# Runs the end-to-end scenarios under Wine and prints "N passed, N failed".
#
#   tests/e2e/run.sh                 every scenario in tests/e2e/scenarios/
#   tests/e2e/run.sh countdown       the scenarios whose file name contains "countdown"
#
# A scenario is an executable script; exit 0 passes, 77 skips (with a reason
# printed), anything else fails. Logs, screenshots and relay traces go to
# build/e2e/<scenario>/. Set E2E_DOC_IMAGES=1 to refresh docs/images/ too.
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

scenarios=()
for file in "$here"/scenarios/*.sh; do
  name=$(basename "$file" .sh)
  if (($#)); then
    match=0
    for filter in "$@"; do [[ $name == *"$filter"* ]] && match=1; done
    ((match)) || continue
  fi
  scenarios+=("$file")
done

passed=0 failed=0 skipped=0
failures=()
for file in "${scenarios[@]}"; do
  name=$(basename "$file" .sh)
  limit=${E2E_SCENARIO_TIMEOUT:-300}
  mkdir -p "$E2E_OUT/$name"
  log=$E2E_OUT/$name.log
  start=$SECONDS
  timeout --kill-after=30 "$limit" bash "$file" >"$log" 2>&1
  status=$?
  took=$((SECONDS - start))
  case $status in
    0) passed=$((passed + 1)); echo "PASS $name (${took}s)" ;;
    77) skipped=$((skipped + 1)); echo "SKIP $name: $(tail -n 1 "$log")" ;;
    *)
      failed=$((failed + 1))
      failures+=("$name")
      echo "FAIL $name (${took}s, exit $status), log $log:"
      tail -n 15 "$log" | sed 's/^/    /'
      ;;
  esac
done

((skipped)) && echo "$skipped skipped (see the reasons above)"
((failed)) && echo "failed: ${failures[*]}"
echo "$passed passed, $failed failed"
((failed == 0))
