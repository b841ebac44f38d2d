# shellcheck shell=bash
# Bookkeeping of every test layer's runner: a line per case ("PASS NAME ...",
# "FAIL NAME ...", "SKIP NAME: why") and the closing "N passed, N failed"
# (", N skipped" when some were), the line scripts/test.sh reads.
#
# A scenario is a bash script: exit 0 passes, 77 skips (its last line says
# why), anything else fails. "# RN_TAG-timeout: SECONDS" in its header sets
# its time limit (RN_TAG lt or e2e; RN_TIMEOUT, default 90). With
# RN_ATTEMPTS=2 a failed scenario runs once more, its first log kept as
# NAME.first-attempt.log.
#
# Source it, set RN_OUT (for NAME.log and NAME.result), call rn_run per
# scenario (or rn_attempt, maybe in the background, and rn_report), or
# rn_pass, rn_fail, rn_skip for cases judged otherwise; then rn_summary
# (status 0 when nothing failed).

RN_OUT=${RN_OUT:-.}
RN_TAG=${RN_TAG:-lt}
RN_TIMEOUT=${RN_TIMEOUT:-90}
RN_KILL_AFTER=${RN_KILL_AFTER:-10}
RN_ATTEMPTS=${RN_ATTEMPTS:-1}
rn_passed=0 rn_failed=0 rn_skipped=0 rn_failures=() rn_second=()

# rn_selected NAME [WORD...]: no words, or NAME contains one of them.
rn_selected() {
  local name=$1 word
  shift
  (($#)) || return 0
  for word in "$@"; do [[ $name == *"$word"* ]] && return 0; done
  return 1
}

# rn_header FILE KEY: the value of "# RN_TAG-KEY: VALUE" in the file's header.
rn_header() { sed -nE "s/^# $RN_TAG-$2: *([^ ]+).*/\\1/p" "$1" | head -n 1; }

# rn_pass NAME DETAIL, rn_fail NAME DETAIL: "PASS NAME" or "FAIL NAME" and
# DETAIL right after it; rn_skip NAME REASON.
rn_pass() {
  rn_passed=$((rn_passed + 1))
  echo "PASS $1$2"
}
rn_fail() {
  rn_failed=$((rn_failed + 1))
  rn_failures+=("$1")
  echo "FAIL $1$2"
}
rn_skip() {
  rn_skipped=$((rn_skipped + 1))
  echo "SKIP $1: $2"
}

# rn_abort NAME REASON: nothing can run; one failure, and the summary.
rn_abort() {
  rn_fail "$1" ": $2"
  rn_summary ""
  exit 1
}

# rn_attempt FILE NAME [VAR=VALUE...]: runs the scenario with those variables
# set, its output in $RN_OUT/NAME.log; its exit code, duration and the first
# attempt's exit code (- when there was none) go to $RN_OUT/NAME.result.
rn_attempt() {
  local file=$1 name=$2 limit start status attempt first=-
  shift 2
  local log=$RN_OUT/$name.log
  limit=$(rn_header "$file" timeout)
  rm -f "$RN_OUT/$name.first-attempt.log"
  for ((attempt = 1; attempt <= RN_ATTEMPTS; attempt++)); do
    start=$SECONDS
    env "$@" timeout --kill-after="$RN_KILL_AFTER" "${limit:-$RN_TIMEOUT}" bash "$file" >"$log" 2>&1
    status=$?
    [[ $status == 0 || $status == 77 ]] && break
    if ((attempt == 1 && RN_ATTEMPTS > 1)); then
      first=$status
      cp "$log" "$RN_OUT/$name.first-attempt.log"
    fi
  done
  echo "$status $((SECONDS - start)) $first" >"$RN_OUT/$name.result"
}

# rn_report NAME: the result line of the scenario's last rn_attempt; leaves
# its exit code and duration in RN_STATUS and RN_TOOK.
rn_report() {
  local name=$1 first note='' log=$RN_OUT/$1.log
  read -r RN_STATUS RN_TOOK first <"$RN_OUT/$name.result"
  if [[ $first != - ]]; then
    note=", second attempt"
    if [[ $RN_STATUS == 0 ]]; then
      rn_second+=("$name")
      echo "FAILED FIRST $name (exit $first), then passed; first log $RN_OUT/$name.first-attempt.log:"
      tail -n 8 "$RN_OUT/$name.first-attempt.log" | sed 's/^/    /'
    fi
  fi
  case $RN_STATUS in
    0) rn_pass "$name" " (${RN_TOOK}s$note)" ;;
    77) rn_skip "$name" "$(tail -n 1 "$log")" ;;
    *)
      rn_fail "$name" " (${RN_TOOK}s, exit $RN_STATUS$note), log $log:"
      tail -n 15 "$log" | sed 's/^/    /'
      ;;
  esac
}

# rn_run FILE NAME [VAR=VALUE...]: rn_attempt, then rn_report.
rn_run() {
  rn_attempt "$@"
  rn_report "$2"
}

# rn_summary [PREFIX]: the closing lines; PREFIX (e.g. "x64-only: ") goes in
# front of the counts.
rn_summary() {
  ((${#rn_second[@]})) && echo "passed only at the second attempt: ${rn_second[*]}"
  ((rn_failed)) && echo "failed: ${rn_failures[*]}"
  local counts="$rn_passed passed, $rn_failed failed"
  ((rn_skipped)) && counts+=", $rn_skipped skipped"
  echo "${1:-}$counts"
  ((rn_failed == 0))
}
