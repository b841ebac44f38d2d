#!/usr/bin/env bash
# Benchmarks nocturo.exe against bench/baseline, a bare tray program built
# with the same toolchain and flags. Not part of scripts/test.sh.
#
#   bench/run.sh               everything, about 20 minutes
#   BENCH_ONLY=quick bench/run.sh     start-up, memory and CPU only (5 minutes)
#   BENCH_ONLY=startup bench/run.sh   start-up again, into the last results
#
# 32-bit Wine runs here only through qemu, far too slowly to time, so the
# 64-bit builds (preset windows-x64) are measured under wine64 and the 32-bit
# nocturo.exe (preset windows) is built for its size. Results:
# bench/results/results.md, results.json and cpu-memory.png.
set -euo pipefail
BENCH_DIR=$(cd "$(dirname "$0")" && pwd)
ROOT=$(cd "$BENCH_DIR/.." && pwd)
RESULTS=$BENCH_DIR/results
source "$ROOT/tests/e2e/lib.sh"

cd "$ROOT"
scripts/install-deps.sh >/dev/null
command -v gnuplot >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -q gnuplot-nox >/dev/null ||
  echo "bench: no gnuplot, so no plot" >&2
for preset in windows windows-x64; do
  [[ -f build/$preset/build.ninja ]] || cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target nocturo nocturo_baseline nocturo_driver >/dev/null
done
size() { stat -c %s "$1"; }
for exe in build/windows/nocturo.exe build/windows/nocturo_baseline.exe; do
  if i686-w64-mingw32-objdump -p "$exe" | grep -Eiq 'DLL Name: (libstdc|libgcc|libwinpthread)'; then
    echo "$exe depends on a MinGW runtime DLL" >&2
    exit 1
  fi
done
SIZES=$(printf '{"nocturo": {"i686": %s, "x64": %s}, "baseline": {"i686": %s, "x64": %s}}' \
  "$(size build/windows/nocturo.exe)" "$(size build/windows-x64/nocturo.exe)" \
  "$(size build/windows/nocturo_baseline.exe)" "$(size build/windows-x64/nocturo_baseline.exe)")

# The micro-benchmark of the core's tick.
cmake --preset bench >/dev/null
cmake --build --preset bench --target nocturo_micro_bench >/dev/null
./build/bench/nocturo_micro_bench --benchmark_filter=BM_TickWithRefresh \
  --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_format=json >"$RESULTS.micro.json" 2>/dev/null || true

# The same set-up as an end-to-end scenario: own display, own prefix copied
# from the cached template, its wineserver up and the session started.
mkdir -p "$RESULTS"
mv "$RESULTS.micro.json" "$RESULTS/micro.json"
E2E_OUT=$ROOT/build/bench-out
e2e_setup bench
session_up() {
  "$WINESERVER_BIN" -k 2>/dev/null || true
  "$WINESERVER_BIN" -w 2>/dev/null || true
  "$WINESERVER_BIN" -p
  e2e_driver window principal exists >/dev/null || true
  sleep 2
}
export -f session_up e2e_driver
export WINESERVER_BIN E2E_WORK E2E_ART WINE64 E2E_BUILD_X64
export BENCH_SESSION_UP=session_up
export -f e2e_exe e2e_log
sleep 3  # let the freshly started session settle

python3 "$BENCH_DIR/bench.py" "$RESULTS" "$E2E_WORK" \
  "$ROOT/build/windows-x64/nocturo.exe" "$ROOT/build/windows-x64/nocturo_baseline.exe" "$SIZES"
python3 "$BENCH_DIR/report.py" "$RESULTS"
if [[ -s $RESULTS/cpu-memory.dat ]] && command -v gnuplot >/dev/null; then
  gnuplot -e "data='$RESULTS/cpu-memory.dat'; out='$RESULTS/cpu-memory.png'" "$BENCH_DIR/plot.gnuplot"
fi
cat "$RESULTS/results.md"
