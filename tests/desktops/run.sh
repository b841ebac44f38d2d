#!/usr/bin/env bash
# Runs the program inside real desktops, started headless, and ends with one
# line "N passed, N failed" (", N skipped" after it when some were skipped).
#
#   tests/desktops/run.sh              every desktop
#   tests/desktops/run.sh gnome 13     those whose name contains a word
#
# Debian 12's desktops run on this machine (scripts/install-deps.sh
# --desktops installs them); Debian 13's in a root directory made here with
# mmdebstrap (tests/desktops/rootfs.sh), kept under build/desktops/ and made
# anew only when that script changes. Screenshots of every step and the logs
# go to build/desktops/NAME/; the program is build/linux/nocturo, or
# NOCTURO_LINUX_BIN.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out=$root/build/desktops
RN_OUT=$out RN_ATTEMPTS=${RN_ATTEMPTS:-1}
# shellcheck source=../lib/runner.sh
source "$here/../lib/runner.sh"
mkdir -p "$out"

# NAME SCRIPT SESSION DEBIAN
desktops=(
  "xfce@debian12 xfce x11 12"
  "gnome-x11@debian12 gnome x11 12"
  "gnome-notray@debian12 gnome notray 12"
  "plasma-x11@debian12 plasma x11 12"
  "gnome-wayland@debian12 gnome wayland 12"
  "plasma-wayland@debian12 plasma wayland 12"
  "xfce@debian13 xfce x11 13"
  "gnome-wayland@debian13 gnome wayland 13"
  "plasma-wayland@debian13 plasma wayland 13"
)

# The Debian 13 root directory, made once per version of its script.
trixie_root() {
  local key dir
  key=$(sha256sum "$here/rootfs.sh" | cut -c1-12)
  dir=$out/trixie-$key
  if [[ ! -d $dir ]]; then
    ((EUID == 0)) || return 1
    echo "making the Debian 13 root directory $dir (about 6.5 minutes)" >&2
    rm -rf "$dir.tmp"
    "$here/rootfs.sh" "$dir.tmp" >"$out/rootfs.log" 2>&1 || {
      echo "rootfs.sh failed, log $out/rootfs.log:" >&2
      tail -n 15 "$out/rootfs.log" >&2
      return 1
    }
    mv "$dir.tmp" "$dir"
    # Older versions go.
    find "$out" -maxdepth 1 -name 'trixie-*' ! -name "trixie-$key" -exec rm -rf {} +
  fi
  echo "$dir"
}

trixie=
for desktop in "${desktops[@]}"; do
  read -r name script session debian <<<"$desktop"
  rn_selected "$name" "$@" || continue
  vars=(LT_RUN_NAME="$name" DT_SESSION="$session" LT_OUT="$out")
  if ((debian == 13)); then
    [[ -n $trixie ]] || trixie=$(trixie_root) || trixie=missing
    vars+=(DT_ROOT="$trixie")
  fi
  rn_run "$here/scenarios/$script.sh" "$name" "${vars[@]}"
done
rn_summary
