#!/usr/bin/env bash
# Makes the guest's root directory with mmdebstrap: Debian 12 minbase with
# systemd, logind, polkit, the user's bus (as a desktop has it), a kernel,
# Xvfb, xfce4-session (started only by the cases that ask for it) and the
# runtime packages given as arguments, plus the user "tester". The program
# and the test's own files go in later, with the image, so that changing them
# does not cost a new root directory.
#
#   tests/vm/rootfs.sh DIR [PACKAGE...]
#
# Needs root (mmdebstrap --mode=root) and the Debian mirror that apt uses.
set -euo pipefail

dir=$1
shift

base=(
  systemd systemd-sysv libpam-systemd dbus dbus-user-session polkitd udev kmod procps
  linux-image-amd64 xvfb fonts-dejavu-core xfce4-session
)

sources=()
for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.sources /etc/apt/sources.list.d/*.list; do
  [[ -f $file ]] && grep -q 'debian' "$file" && sources+=("$file")
done
((${#sources[@]})) || { echo "rootfs: no Debian apt sources on this machine" >&2; exit 1; }

# The initrd needs only what mounts a virtio disk's ext4: much faster to make
# than the default's every storage and file system module, made twice.
initramfs_hook=$(cd "$(dirname "$0")" && pwd)/initramfs-hook

packages=$(printf '%s,' "${base[@]}" "$@")
# The hooks' "$1" is mmdebstrap's, the root directory.
# shellcheck disable=SC2016
mmdebstrap --mode=root --variant=minbase --include="${packages%,}" \
  --setup-hook='mkdir -p "$1/etc/initramfs-tools/conf.d" "$1/etc/initramfs-tools/hooks"' \
  --setup-hook='echo MODULES=list >"$1/etc/initramfs-tools/conf.d/nocturo-vm"' \
  --setup-hook="cp '$initramfs_hook' \"\$1/etc/initramfs-tools/hooks/nocturo-vm\"" \
  --customize-hook='chroot "$1" useradd --create-home --uid 1000 --shell /bin/bash tester' \
  --customize-hook='echo nocturo-vm > "$1/etc/hostname"' \
  bookworm "$dir" "${sources[@]}"
