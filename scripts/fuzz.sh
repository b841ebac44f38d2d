#!/usr/bin/env bash
# Builds the libFuzzer targets (the fuzz preset: clang with AddressSanitizer
# and UndefinedBehaviorSanitizer) and runs each for a while:
#   scripts/fuzz.sh [seconds-per-target]      default 10
# Each target starts from a copy of its committed seed corpus in
# fuzz/corpus/<target>, so the seeds stay as committed; the grown corpus and
# any crashing input are left under build/fuzz/runs/<target>. Every target
# runs; the script fails when any of them found something.
set -euo pipefail

seconds=${1:-10}
if ! [[ $seconds =~ ^[0-9]+$ ]] || ((seconds < 1)); then
  echo "usage: scripts/fuzz.sh [seconds-per-target]" >&2
  exit 2
fi

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

targets=(fuzz_numeric fuzz_time_of_day fuzz_masked_time fuzz_text_encoding fuzz_command_line
  fuzz_stored_position)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "${targets[@]}"

runs="$root/build/fuzz/runs"
failed=()
for target in "${targets[@]}"; do
  work="$runs/$target"
  rm -rf "$work"
  mkdir -p "$work/corpus" "$work/artifacts"
  cp -R "fuzz/corpus/$target/." "$work/corpus/"
  echo "== $target: ${seconds}s"
  # -error_exitcode makes sanitizer reports and broken properties fail alike.
  if ! "$root/build/fuzz/$target" -max_total_time="$seconds" -error_exitcode=77 \
      -artifact_prefix="$work/artifacts/" -print_final_stats=1 \
      "$work/corpus" >"$work/log.txt" 2>&1; then
    grep -E 'property broken|ERROR|runtime error|SUMMARY' "$work/log.txt" >&2 || true
    echo "fuzz: $target found a problem; see $work/artifacts and $work/log.txt" >&2
    failed+=("$target")
    continue
  fi
  grep -E '^stat::number_of_executed_units' "$work/log.txt" || true
done
if ((${#failed[@]} > 0)); then
  echo "fuzz: findings in ${failed[*]}" >&2
  exit 1
fi
echo "fuzz: no findings"
