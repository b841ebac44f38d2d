#!/usr/bin/env bash
# Boots a real Debian 12 system in qemu (TCG) and watches the Linux program
# power it off, restart it and log its user off through systemd-logind,
# polkit and xfce4-session. A case passes or fails on what the guest's logind,
# polkit, kernel and the test's root service print on the serial console,
# never on the program's own word. Ends with one line "N passed, N failed".
#
#   tests/vm/run.sh              every case
#   tests/vm/run.sh xfce power   the cases whose name contains a word
#
# The program is build/linux/nocturo, or NOCTURO_LINUX_BIN. Works in build/vm/:
# the root directory (rootfs-KEY/, kept while its packages and rootfs.sh are
# unchanged), the image, each boot's serial console in boots/BOOT.console and
# each case's part of it in logs/CASE.log; or in VM_OUT. VM_JOBS machines run
# at once (default 2).
# Needs root, or sudo without a password.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out=${VM_OUT:-$root/build/vm}
logs=$out/logs
binary=${NOCTURO_LINUX_BIN:-$root/build/linux/nocturo}
jobs=${VM_JOBS:-2}

# name, boot, setup, arguments ("+" for a space, "-" for none), expectation.
# The steps of one boot run in this order; every boot but "up" ends the
# machine, so it has one case. The longest boot comes first.
cases=(
  "root-inhibitor-unforced  up              root-inhibitor  /MA+/I       stays-up"
  "root-inhibitor-forced    up              root-inhibitor  /F+/MA+/I    stays-up"
  "user-inhibitor-unforced  up              user-inhibitor  /MA+/I       stays-up"
  "xfce-control             up              xfce            -            xfce-stays"
  "xfce-log-off             up              xfce            /ML+/I       xfce-ends"
  "log-off-forced           up              none            /F+/ML+/I    log-off"
  "log-off-app-scope        up              app-scope       /F+/ML+/I    log-off"
  "power-off-slow-polkit    slow-polkit     slow-polkit     /F+/MA+/I    power-off"
  "power-off-forced         power-off       none            /F+/MA+/I    power-off"
  "restart-after-count      restart         none            /MR+/D000+/E restart"
  "user-inhibitor-forced    user-inhibited  user-inhibitor  /F+/MA+/I    power-off"
)

# shellcheck source=../lib/runner.sh
source "$here/../lib/runner.sh"

as_root=()
if ((EUID != 0)); then
  sudo -n true 2>/dev/null || rn_abort vm "needs root or sudo without a password (mmdebstrap --mode=root)"
  as_root=(sudo -n)
fi
export PATH=$PATH:/usr/sbin:/sbin # mke2fs, for a user's PATH
for tool in mmdebstrap qemu-system-x86_64 qemu-img mke2fs dpkg-query /usr/bin/time; do
  command -v "$tool" >/dev/null || rn_abort vm "no $tool (scripts/install-deps.sh installs it)"
done
[[ -x $binary ]] || rn_abort vm "no program at $binary (cmake --preset linux && cmake --build --preset linux)"

selected=()
for entry in "${cases[@]}"; do
  read -r name _ <<<"$entry"
  rn_selected "$name" "$@" && selected+=("$entry")
done
((${#selected[@]})) || rn_abort vm "no case matches: $*"

mkdir -p "$logs"
rm -f "$logs"/*.log

# The program's runtime packages: those holding the libraries it loads, and
# the platform plugins Qt loads at run time.
runtime=(qt6-qpa-plugins)
while read -r library; do
  package=$(dpkg-query -S "$(readlink -f "$library")" 2>/dev/null | head -n 1 | cut -d: -f1) ||
    true
  [[ -z $package ]] && package=$(dpkg-query -S "$library" 2>/dev/null | head -n 1 | cut -d: -f1)
  [[ -n $package ]] || rn_abort vm "no Debian package holds $library, which $binary loads"
  runtime+=("$package")
done < <(ldd "$binary" | awk '$3 ~ /^\// {print $3}')
mapfile -t runtime < <(printf '%s\n' "${runtime[@]}" | sort -u)

# The root directory, made again only when what goes into it changes.
key=$( { cat "$here/rootfs.sh" "$here/initramfs-hook"; printf '%s\n' "${runtime[@]}"; } | sha256sum | cut -c1-16)
rootfs=$out/rootfs-$key
if [[ ! -e $rootfs/.complete ]]; then
  for stale in "$out"/rootfs-*; do
    [[ -e $stale ]] && "${as_root[@]}" rm -rf "$stale"
  done
  echo "vm: making the Debian 12 root directory (some minutes): ${runtime[*]}"
  start=$SECONDS
  if ! "${as_root[@]}" "$here/rootfs.sh" "$rootfs.new" "${runtime[@]}" >"$logs/rootfs.log" 2>&1; then
    tail -n 20 "$logs/rootfs.log" | sed 's/^/    /'
    rn_abort vm "mmdebstrap could not make the root directory (no network to the mirror?), log $logs/rootfs.log"
  fi
  "${as_root[@]}" mv "$rootfs.new" "$rootfs"
  "${as_root[@]}" touch "$rootfs/.complete"
  echo "vm: root directory made in $((SECONDS - start)) s"
fi

# The image: the root directory with the program and the test's own files.
image() {
  local dir=$1
  cp -a "$here/guest/." "$dir/"
  install -m 0755 "$binary" "$dir/usr/local/bin/nocturo"
  chown -R 1000:1000 "$dir/home/tester"
  mkdir -p "$dir/etc/systemd/system/multi-user.target.wants" "$dir/etc/systemd/system/getty.target.wants"
  ln -sf /etc/systemd/system/nocturo-vm-check.service \
    "$dir/etc/systemd/system/multi-user.target.wants/nocturo-vm-check.service"
  ln -sf /lib/systemd/system/getty@.service "$dir/etc/systemd/system/getty.target.wants/getty@tty1.service"
  local unit
  for unit in apt-daily.timer apt-daily-upgrade.timer dpkg-db-backup.timer e2scrub_reap.service; do
    ln -sf /dev/null "$dir/etc/systemd/system/$unit" # only slows the boot
  done
  rm -f "$out/image.raw"
  mke2fs -q -t ext4 -d "$dir" "$out/image.raw" 3G >/dev/null
  local kernels=("$dir"/boot/vmlinuz-*) initrds=("$dir"/boot/initrd.img-*)
  cp "${kernels[-1]}" "$out/vmlinuz"
  cp "${initrds[-1]}" "$out/initrd.img"
  chmod a+r "$out/image.raw" "$out/vmlinuz" "$out/initrd.img"
}
"${as_root[@]}" bash -c "$(declare -f image); here='$here' binary='$binary' out='$out'; image '$rootfs'" ||
  rn_abort vm "cannot make the image from $rootfs"

# One machine: a fresh overlay on the image, its steps on the kernel command
# line, its serial console in boots/BOOT.console. qemu ends by itself when the
# guest powers off or restarts (-no-reboot); the timeout is for a hung guest.
boot() {
  local name=$1 limit=$2
  shift 2
  # no_timer_check: on a busy host, TCG's timer can fail the kernel's check
  # ("IO-APIC + timer doesn't work!"); a panic ends qemu (-no-reboot) at once.
  local append="console=ttyS0 root=/dev/vda rw quiet no_timer_check panic=-1" step
  for step in "$@"; do append+=" nocturo.step=$step"; done
  rm -f "$out/boots/$name".* "$out/boots/$name."*
  qemu-img create -q -f qcow2 -b "$out/image.raw" -F raw "$out/boots/$name.qcow2" || return 1
  /usr/bin/time -f '%M' -o "$out/boots/$name.rss" \
    timeout --kill-after=10 "$limit" qemu-system-x86_64 -accel tcg -m 2048 -smp 2 \
    -nographic -no-reboot -nic none \
    -kernel "$out/vmlinuz" -initrd "$out/initrd.img" -append "$append" \
    -drive "file=$out/boots/$name.qcow2,if=virtio,format=qcow2" -device virtio-rng-pci \
    </dev/null >"$out/boots/$name.console" 2>&1
  echo $? >"$out/boots/$name.status"
  rm -f "$out/boots/$name.qcow2"
}

# The console's lines of one step: from its beginning to the next step's or
# the end of the steps.
segment() {
  awk -v begin="nocturo-vm: step $2 begins" '
    { sub(/\r$/, "") }
    index($0, begin) { on = 1 }
    on && !index($0, begin) && (/nocturo-vm: step [^ ]+ begins/ || /nocturo-vm: all steps done/) { exit }
    on { print }' "$1"
}

# Seconds on the guest's clock from a step's beginning to the log's last line.
guest_seconds() {
  sed -n '/nocturo-vm: step [^ ]* begins/,$p' "$1" | sed -nE 's/^\[ *([0-9]+\.[0-9]+)\].*/\1/p' | awk 'NR == 1 {first = $1} {last = $1} END {if (NR) printf "%.1f", last - first}'
}

# Says what is wrong with a case, or nothing when it passed.
verdict() {
  local name=$1 setup=$2 expect=$3 log=$4 status=$5
  grep -q "nocturo-vm: step $name begins" "$log" || { echo "the step never began"; return; }
  if [[ $setup == *-inhibitor ]] && ! grep -q "nocturo-vm: step $name: inhibitors: nocturo-vm .* held by" "$log"; then
    echo "logind never listed the step's inhibitor"
    return
  fi
  if [[ $setup == slow-polkit ]] && ! grep -q "nocturo-vm: step $name: polkit.service inactive" "$log"; then
    echo "polkit was already running when the step began"
    return
  fi
  if [[ $setup == app-scope ]] &&
    ! grep -qE "nocturo-vm: step $name: starting nocturo .* in /user\.slice/.*/user@[0-9]+\.service/.*\.scope without XDG_SESSION_ID" "$log"; then
    echo "the program was not started in a scope of the user's service manager"
    return
  fi
  local up=0 down=0 restarting=0
  grep -q "nocturo-vm: step $name: still up" "$log" && up=1
  grep -q "reboot: Power down" "$log" && down=1
  grep -q "reboot: Restarting system" "$log" && restarting=1
  case $expect in
    power-off | restart)
      local want="reboot: Power down" got=$down
      [[ $expect == restart ]] && want="reboot: Restarting system" got=$restarting
      ((up)) && { echo "the machine was still up after the program ended"; return; }
      ((got)) || { echo "the kernel never printed \"$want\""; return; }
      [[ $status == 0 ]] || echo "qemu did not end by itself (exit $status)"
      ;;
    *)
      ((down || restarting)) && { echo "the machine went down"; return; }
      ((up)) || { echo "no \"still up\" report after the step"; return; }
      case $expect in
        log-off)
          local session
          session=$(sed -nE "s/.*nocturo-vm: step $name: active session ([0-9]+).*/\\1/p" "$log" | head -n 1)
          grep -qE "Removed session $session\.?\$" "$log" ||
            echo "logind never removed the tester's session ${session:-?}"
          ;;
        xfce-ends)
          grep -qE "xfce4-session \(pid [0-9]+\) ended" "$log" || echo "xfce4-session did not end"
          ;;
        xfce-stays)
          grep -qE "xfce4-session \(pid [0-9]+\) still running" "$log" ||
            echo "xfce4-session did not keep running without the program"
          ;;
      esac
      ;;
  esac
}

mkdir -p "$out/boots"
boots=()
for entry in "${selected[@]}"; do
  read -r _ bootname _ <<<"$entry"
  [[ " ${boots[*]} " == *" $bootname "* ]] || boots+=("$bootname")
done
echo "vm: ${#selected[@]} cases in ${#boots[@]} boots, $jobs at a time"
running=0
for bootname in "${boots[@]}"; do
  steps=()
  for entry in "${selected[@]}"; do
    read -r name group setup arguments _ <<<"$entry"
    [[ $group == "$bootname" ]] && steps+=("$name,$setup,$arguments")
  done
  limit=$((240 + 120 * ${#steps[@]}))
  boot "$bootname" "$limit" "${steps[@]}" &
  running=$((running + 1))
  if ((running >= jobs)); then
    wait -n
    running=$((running - 1))
  fi
done
wait

peak=0
for bootname in "${boots[@]}"; do
  rss=$(tail -n 1 "$out/boots/$bootname.rss" 2>/dev/null)
  [[ $rss =~ ^[0-9]+$ ]] && ((rss > peak)) && peak=$rss
done
for entry in "${selected[@]}"; do
  read -r name bootname setup _ expect <<<"$entry"
  console=$out/boots/$bootname.console
  log=$logs/$name.log
  status=$(cat "$out/boots/$bootname.status" 2>/dev/null || echo '?')
  # Judged on its own step's lines: the root service powers the machine off
  # once the steps are done.
  part=$out/boots/$bootname.$name
  segment "$console" "$name" >"$part" 2>/dev/null
  if (($(printf '%s\n' "${selected[@]}" | awk -v boot="$bootname" '$2 == boot' | wc -l) > 1)); then
    { echo "(this case's part of $console)"; cat "$part"; } >"$log"
  else
    tr -d '\r' <"$console" >"$log" 2>/dev/null
  fi
  problem=$(verdict "$name" "$setup" "$expect" "$part" "$status")
  if [[ -z $problem ]]; then
    rn_pass "$name" " ($(guest_seconds "$part") s in the guest)"
  else
    rn_fail "$name" ": $problem (qemu exit $status), log $log:"
    # What the test, logind, polkit and the kernel said; else how the boot ended.
    lines=$(grep -E 'nocturo-vm:|systemd-logind|polkitd|reboot:|Kernel panic' "$part" | tail -n 15)
    [[ -n $lines ]] || lines=$(tail -n 15 "$log")
    while IFS= read -r line; do echo "    $line"; done <<<"$lines"
  fi
  grep -E ' nocturo\[[0-9]+\]: ' "$log" | sed 's/^/    program: /'
done
echo "vm: qemu's peak memory $((peak / 1024)) MiB"
rn_summary
