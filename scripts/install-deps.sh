#!/usr/bin/env bash
# Installs what building and testing Nocturo needs on Debian: the native and
# MinGW-w64 compilers, the test libraries, Wine (64-bit and 32-bit), an X
# server for the end-to-end tests and qemu for 32-bit Wine on hosts that cannot
# run i386 programs, wixl, msitools and zip for the release packages (and
# osslsigncode, openssl and ssh-keygen to sign them), and for
# the Linux program Qt 6, dpkg-dev (shlibdeps) for its .deb and what its
# scenarios run on: D-Bus, the logind mock, the accessibility bus and its
# Python reader, a headless weston with Xwayland, xfwm4 (a reparenting window
# manager for the stored position's scenario), and the .deb's validators;
# mmdebstrap, qemu and e2fsprogs for the Debian 12 machine it is tested on.
# Idempotent: when everything is present it installs
# nothing and does not touch the package lists.
#
#   scripts/install-deps.sh           everything
#   scripts/install-deps.sh --linux   only what building the Linux program needs
#   scripts/install-deps.sh --desktops  the desktop shells tests/desktops/
#                                     runs the program in (Debian 12's GNOME
#                                     Shell with the AppIndicator extension,
#                                     Plasma, Xfce's panel; about 330 MB)
set -euo pipefail

linux_only=0 desktops=0
case ${1:-} in
  '') ;;
  --linux) linux_only=1 ;;
  --desktops) desktops=1 ;;
  *) echo "usage: scripts/install-deps.sh [--linux | --desktops]" >&2; exit 2 ;;
esac

packages=(
  cmake ninja-build g++ googletest libgtest-dev libgmock-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64
  wine wine32:i386 wine64 fonts-wine
  xvfb xdotool x11-utils imagemagick qemu-user-static faketime libfaketime
  clang libclang-rt-14-dev clang-tidy cppcheck libbenchmark-dev
  wixl msitools zip unzip osslsigncode openssl openssh-client
  qt6-base-dev libxcb1-dev dpkg-dev qt6-qpa-plugins dbus dbus-daemon libglib2.0-bin python3-dbus
  python3-gi python3-dbusmock python3-pyatspi gir1.2-atspi-2.0 at-spi2-core python3-xlib
  libdbus-1-dev pkg-config
  weston xwayland qt6-wayland xfwm4 appstream desktop-file-utils lintian
  mmdebstrap qemu-system-x86 qemu-utils e2fsprogs time
)

if ((linux_only)); then
  packages=(cmake ninja-build g++ qt6-base-dev libxcb1-dev qt6-qpa-plugins libdbus-1-dev pkg-config qt6-wayland)
fi
# Without recommends: only what a shell needs to start headless and host an
# item (qtwayland5 for plasmashell on Wayland).
if ((desktops)); then
  packages=(
    xfce4-panel xfwm4 gnome-shell gnome-shell-extension-appindicator
    plasma-workspace plasma-desktop kwin-x11 kwin-wayland qtwayland5
  )
fi

installed() {
  [[ $(dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null) == installed ]]
}

missing=()
for package in "${packages[@]}"; do
  installed "$package" || missing+=("$package")
done
if ((${#missing[@]} == 0)); then
  echo "install-deps: all ${#packages[@]} packages are installed"
  exit 0
fi
echo "install-deps: installing ${missing[*]}"

sudo=()
if ((EUID != 0)); then
  command -v sudo >/dev/null || { echo "install-deps: not root and no sudo" >&2; exit 1; }
  sudo=(sudo)
fi

if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo[@]}" dpkg --add-architecture i386
fi

export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
no_recommends=()
((desktops)) && no_recommends=(--no-install-recommends)
if ! "${sudo[@]}" apt-get install -y -q "${no_recommends[@]}" "${missing[@]}"; then
  # Name the culprit: try the packages one by one.
  for package in "${missing[@]}"; do
    installed "$package" && continue
    "${sudo[@]}" apt-get install -y -q "${no_recommends[@]}" "$package" >/dev/null 2>&1 ||
      echo "install-deps: cannot install package $package" >&2
  done
  exit 1
fi

for package in "${missing[@]}"; do
  installed "$package" || { echo "install-deps: package $package is still missing" >&2; exit 1; }
done
echo "install-deps: done"
