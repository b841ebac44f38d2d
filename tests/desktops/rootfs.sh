#!/usr/bin/env bash
# Makes the Debian 13 root directory the newer desktops run in: GNOME Shell
# with the AppIndicator extension, Plasma (Wayland) and Xfce's panel, the
# program's Qt 6 runtime, and the tools the checks use inside (Xvfb, xdotool,
# ImageMagick's import, gdbus, the logind mock). No recommends: what a shell
# needs to start headless and show an item is in the list itself. The
# program and the checks come in through bind mounts, so changing them does
# not cost a new root directory.
#
#   tests/desktops/rootfs.sh DIR
#
# Needs root (mmdebstrap --mode=root) and the Debian mirror that apt uses.
set -euo pipefail

dir=$1

packages=(
  gnome-shell gnome-shell-extension-appindicator
  plasma-workspace plasma-desktop kwin-wayland qt6-wayland qdbus-qt6 kded6
  xfce4-panel xfwm4
  xwayland xvfb xdotool imagemagick x11-utils fonts-dejavu-core
  dbus dbus-daemon dbus-x11 libglib2.0-bin python3-gi python3-dbus python3-dbusmock
  libqt6widgets6 libqt6dbus6 qt6-qpa-plugins libdbus-1-3 procps
)

# The mirror this machine's apt uses, for the next release.
mirror=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.sources /etc/apt/sources.list.d/*.list 2>/dev/null |
  grep -E '^(URIs:|deb )' | grep -v security | grep -oE 'https?://[^ ]+/debian/?( |$)' | head -n 1 || true)
mirror=${mirror% }
[[ -n $mirror ]] || { echo "rootfs: no Debian apt source on this machine" >&2; exit 1; }

packages_csv=$(printf '%s,' "${packages[@]}")
# shellcheck disable=SC2016  # the hooks' "$1" is mmdebstrap's, the root directory
mmdebstrap --mode=root --variant=apt --components=main \
  --aptopt='APT::Install-Recommends "false"' --include="${packages_csv%,}" \
  --customize-hook='chroot "$1" useradd --create-home --uid 1000 --shell /bin/bash tester' \
  --customize-hook='rm -rf "$1"/var/cache/apt/archives/*.deb "$1"/var/lib/apt/lists/*_Packages' \
  trixie "$dir" "deb $mirror trixie main"
