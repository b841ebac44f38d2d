#!/usr/bin/env bash
# Everything CI checks: dependencies, every build preset, the unit tests
# (plain and with sanitizers), static analysis (clang-tidy and cppcheck), a
# short run of every fuzz target, the Linux program's scenarios, the same
# program inside real desktops (GNOME, Plasma, Xfce of Debian 12 and 13), its
# .deb's checks (scripts/check-package-deb.sh), the Linux program in a
# Debian 12 virtual machine and the end-to-end scenarios under Wine. Exits
# non-zero on any failure; the line before the last is the Linux scenarios'
# summary, "linux: N passed, N failed", and the last line is the Wine
# end-to-end summary "N passed, N failed"; the virtual machine's "vm: N
# passed, N failed" is just before them, before it the desktops' "desktops:
# N passed, N failed", and before that "i686: ..." says whether the shipped
# 32-bit nocturo.exe ran and passed (its scenario runs first and alone in the
# Wine step; a skip fails the run unless this machine cannot run 32-bit
# programs, and then the Wine summary starts with "x64-only:").
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

failed_steps=()
step() {
  local name=$1
  shift
  echo "==> $name"
  local start=$SECONDS
  if "$@"; then
    echo "==> $name: ok ($((SECONDS - start))s)"
  else
    echo "==> $name: FAILED ($((SECONDS - start))s)"
    failed_steps+=("$name")
  fi
}

build() { cmake --preset "$1" && cmake --build --preset "$1"; }

step "install dependencies" scripts/install-deps.sh || true
if [[ " ${failed_steps[*]} " == *" install dependencies "* ]]; then
  echo "cannot install the dependencies"
  echo "0 passed, 1 failed"
  exit 1
fi

for preset in native native-asan windows windows-x64; do
  step "build $preset" build "$preset"
done
step "unit tests (native)" ctest --preset native
step "unit tests (native-asan)" ctest --preset native-asan
step "static analysis" scripts/static-analysis.sh -j 2
# A smoke run of the fuzzers (their build is about half a minute); longer
# runs: scripts/fuzz.sh SECONDS.
step "fuzz targets (5 s each)" scripts/fuzz.sh 5

step "release packages" scripts/package.sh --allow-dirty --out "$root/build/dist"
[[ " ${failed_steps[*]} " == *" release packages "* ]] || export E2E_DIST=$root/build/dist

linux_log=$(mktemp)
linux_program() {
  build linux && ctest --preset linux || return 1
  tests/linux/run.sh 2>&1 | tee "$linux_log"
  return "${PIPESTATUS[0]}"
}
step "Linux program" linux_program
linux_summary=$(grep -E '^[0-9]+ passed, [0-9]+ failed(, [0-9]+ skipped)?$' "$linux_log" | tail -n 1)
rm -f "$linux_log"

# The same program inside the desktops' own panels and window managers (about
# 6.5 minutes to install Debian 12's, as long again for Debian 13's root
# directory, kept in build/desktops/, then 1 to 2 minutes a desktop).
desktops_log=$(mktemp)
desktops() {
  scripts/install-deps.sh --desktops || return 1
  tests/desktops/run.sh 2>&1 | tee "$desktops_log"
  return "${PIPESTATUS[0]}"
}
step "Linux program in real desktops" desktops
desktops_summary=$(grep -E '^[0-9]+ passed, [0-9]+ failed(, [0-9]+ skipped)?$' "$desktops_log" | tail -n 1)
rm -f "$desktops_log"
step "Linux package (.deb, AppStream, launcher, lintian)" scripts/check-package-deb.sh

# The same program on a real Debian 12 system in qemu: logind, polkit and
# xfce4-session acting on its requests (17 to 23 minutes from nothing on a busy
# 2-core machine, 6 to 12 with its root directory kept in build/vm/).
vm_log=$(mktemp)
step "Linux program in a Debian 12 machine" bash -c 'tests/vm/run.sh 2>&1 | tee "$1"; exit "${PIPESTATUS[0]}"' _ "$vm_log"
vm_summary=$(grep -E '^[0-9]+ passed, [0-9]+ failed$' "$vm_log" | tail -n 1)
rm -f "$vm_log"

e2e_log=$(mktemp)
step "end-to-end tests under Wine" bash -c 'tests/e2e/run.sh 2>&1 | tee "$1"; exit "${PIPESTATUS[0]}"' _ "$e2e_log"
summary=$(grep -E '^([a-z0-9-]+: )?[0-9]+ passed, [0-9]+ failed(, [0-9]+ skipped)?$' "$e2e_log" | tail -n 1)
i686_summary=$(grep -E '^the shipped 32-bit nocturo\.exe ' "$e2e_log" | tail -n 1)
rm -f "$e2e_log"

if ((${#failed_steps[@]})); then
  echo "failed steps: ${failed_steps[*]}"
fi
echo "i686: ${i686_summary:-the shipped 32-bit nocturo.exe was NOT run (see the Wine step)}"
echo "desktops: ${desktops_summary:-0 passed, 1 failed}"
echo "vm: ${vm_summary:-0 passed, 1 failed}"
echo "linux: ${linux_summary:-0 passed, 1 failed}"
echo "${summary:-0 passed, 1 failed}"
((${#failed_steps[@]} == 0))
