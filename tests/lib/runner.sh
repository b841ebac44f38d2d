# Bookkeeping shared by the scenario runners (tests/linux/run.sh,
# tests/desktops/run.sh): each scenario a bash script run under a time limit,
# one result line each, and the closing "N passed, N failed" line
# (", N skipped" after it when some were skipped).
#
# A scenario exits 0 to pass, 77 to skip (its last line says why), anything
# else fails. "# lt-timeout: SECONDS" in its header sets its time limit
# (RN_TIMEOUT, default 90). With RN_ATTEMPTS=2 a failed scenario runs once
# more; the first attempt's log is kept as NAME.1.log and the result line
# says the pass came on the second attempt.
#
# Source it, set RN_OUT (where NAME.log goes), call rn_run for each scenario,
# then rn_summary (its status: 0 when nothing failed).

RN_OUT=${RN_OUT:-.}
RN_TIMEOUT=${RN_TIMEOUT:-90}
RN_ATTEMPTS=${RN_ATTEMPTS:-1}
rn_passed=0 rn_failed=0 rn_skipped=0 rn_failures=()

# rn_selected NAME [WORD...]: no words, or NAME contains one of them.
rn_selected() {
  local name=$1 word
  shift
  (($#)) || return 0
  for word in "$@"; do [[ $name == *"$word"* ]] && return 0; done
  return 1
}

# rn_run FILE NAME [VAR=VALUE...]: runs the scenario with those variables
# set, its output in $RN_OUT/NAME.log.
rn_run() {
  local file=$1 name=$2 limit start took status attempt=1 note=
  shift 2
  local log=$RN_OUT/$name.log
  limit=$(sed -nE 's/^# lt-timeout: *([0-9]+).*/\1/p' "$file" | head -n 1)
  rm -f "$RN_OUT/$name.1.log"
  while :; do
    start=$SECONDS
    env "$@" timeout --kill-after=10 "${limit:-$RN_TIMEOUT}" bash "$file" >"$log" 2>&1
    status=$?
    took=$((SECONDS - start))
    case $status in 0 | 77) break ;; esac
    ((attempt < RN_ATTEMPTS)) || break
    echo "RETRY $name (${took}s, exit $status), first attempt's log $RN_OUT/$name.1.log"
    mv "$log" "$RN_OUT/$name.1.log"
    attempt=$((attempt + 1))
    note=", second attempt"
  done
  case $status in
    0) rn_passed=$((rn_passed + 1)); echo "PASS $name (${took}s$note)" ;;
    77) rn_skipped=$((rn_skipped + 1)); echo "SKIP $name: $(tail -n 1 "$log")" ;;
    *)
      rn_failed=$((rn_failed + 1))
      rn_failures+=("$name")
      echo "FAIL $name (${took}s, exit $status$note), log $log:"
      tail -n 15 "$log" | sed 's/^/    /'
      ;;
  esac
}

rn_summary() {
  ((rn_failed)) && echo "failed: ${rn_failures[*]}"
  local counts="$rn_passed passed, $rn_failed failed"
  ((rn_skipped)) && counts+=", $rn_skipped skipped"
  echo "$counts"
  ((rn_failed == 0))
}
