#!/usr/bin/env bash
# Builds bench/float_check natively and compares ShortestFloat with
# std::to_chars over every positive finite single, in two halves at once
# (a few minutes on two cores).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$root/build/float_check
mkdir -p "$out"
g++ -std=c++20 -O2 -I"$root/src" -o "$out/float_check" \
  "$root/bench/float_check/float_check.cpp" "$root/src/common/shortest_float.cpp"
"$out/float_check" 00000001 3fbfffff >"$out/low.txt" & low=$!
"$out/float_check" 3fc00000 7f7fffff >"$out/high.txt" & high=$!
status=0
wait "$low" || status=1
wait "$high" || status=1
cat "$out/low.txt" "$out/high.txt"
exit "$status"
