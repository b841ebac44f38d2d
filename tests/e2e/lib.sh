# Harness for the end-to-end scenarios: a private X display, a throwaway Wine
# prefix copied from a cached template, nocturo.exe and the driver under Wine,
# screenshots, and waits with deadlines. Source it from bash.
#
# Every scenario runs in its own subshell: e2e_setup starts what it needs and
# registers e2e_cleanup on EXIT, which ends only the processes started here,
# by PID, stops this prefix's wineserver and removes the prefix.

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
E2E_ROOT=$(cd "$E2E_DIR/../.." && pwd)

WINE64=${WINE64:-/usr/lib/wine/wine64}
WINE32=${WINE32:-/usr/lib/wine/wine}
WINESERVER_BIN=${WINESERVER_BIN:-/usr/lib/wine/wineserver64}
# Whatever loader starts first, the prefix's server is always the 64-bit one,
# so 64-bit and 32-bit programs of one run share it.
export WINESERVER=$WINESERVER_BIN

# 32-bit Wine under qemu-user needs the whole 32-bit address space reserved
# up front: otherwise qemu's own mappings lie where Wine must put the shared
# user data (0x7ffe0000) and every 32-bit program dies at its start with
# "failed to map the shared user data: c0000018". Native programs ignore it.
export QEMU_RESERVED_VA=${QEMU_RESERVED_VA:-0xffff0000}
# The installed 32-bit Wine's own DLLs, which a prefix's syswow64 must hold.
E2E_I386_DLLS=${E2E_I386_DLLS:-/usr/lib/i386-linux-gnu/wine/i386-windows}

E2E_BUILD_X64=${E2E_BUILD_X64:-$E2E_ROOT/build/windows-x64}
E2E_BUILD_I686=${E2E_BUILD_I686:-$E2E_ROOT/build/windows}
# Where screenshots, relay traces and logs of a suite run are kept.
E2E_OUT=${E2E_OUT:-$E2E_ROOT/build/e2e}

E2E_RELAY_FUNCTIONS="user32.ExitWindowsEx;shell32.Shell_NotifyIconA;advapi32.AdjustTokenPrivileges;advapi32.OpenProcessToken;advapi32.LookupPrivilegeValueA"

e2e_log() { printf '[%(%H:%M:%S)T] %s\n' -1 "$*" >&2; }
e2e_fail() {
  e2e_log "FAIL: $*"
  exit 1
}

# ---------------------------------------------------------------------------
# Waiting

# e2e_wait_for TIMEOUT_SECONDS DESCRIPTION COMMAND...
# Runs COMMAND every 0.2 s until it succeeds; fails the scenario at the deadline.
e2e_wait_for() {
  local timeout=$1 what=$2
  shift 2
  local deadline=$((SECONDS + timeout))
  until "$@" >/dev/null 2>&1; do
    if ((SECONDS >= deadline)); then
      e2e_fail "timed out after ${timeout}s waiting for $what"
    fi
    sleep 0.2
  done
}

# e2e_poll TIMEOUT_SECONDS COMMAND...: like e2e_wait_for but returns 1 instead
# of failing the scenario.
e2e_poll() {
  local timeout=$1
  shift
  local deadline=$((SECONDS + timeout))
  until "$@" >/dev/null 2>&1; do
    ((SECONDS >= deadline)) && return 1
    sleep 0.2
  done
}

e2e_now_ms() { echo $(($(date +%s%N) / 1000000)); }

e2e_pid_alive() { kill -0 "$1" 2>/dev/null; }
e2e_pid_gone() { ! kill -0 "$1" 2>/dev/null; }

# ---------------------------------------------------------------------------
# Template prefix, booted once per Wine version and cached.

e2e_wine_version() { "$WINE64" --version | tr -c 'A-Za-z0-9.\n-' '_'; }

e2e_cache_dir() { echo "${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/nocturo"; }

e2e_template_dir() {
  echo "$(e2e_cache_dir)/prefix-win64-$(e2e_wine_version)"
}

# The registry settings every run relies on: a virtual desktop with a taskbar
# and its notification area, small relay traces, no crash dialog.
e2e_prefix_settings() {
  cat <<EOF
REGEDIT4
; Wine's own Tahoma and MS Sans Serif are copied into C:\\windows\\Fonts.

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]
"Default"="1024x768"

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops\\Default]
"EnableShell"=dword:00000001

[HKEY_CURRENT_USER\\Software\\Wine\\Debug]
"RelayInclude"="$E2E_RELAY_FUNCTIONS"

[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]
"ShowCrashDialog"=dword:00000000
EOF
}

e2e_settings_stamp() { e2e_prefix_settings | md5sum | cut -c1-16; }

# Writes the settings into prefix $1 and records their stamp.
e2e_configure_prefix() {
  local prefix=$1 reg
  reg=$(mktemp --suffix=.reg)
  e2e_prefix_settings >"$reg"
  # The windows are designed in Tahoma and MS Sans Serif. Debian's 64-bit Wine
  # does not look in its own font folder, so the prefix gets copies.
  mkdir -p "$prefix/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/" || return 1
  WINEPREFIX=$prefix WINEDEBUG=-all "$WINE64" regedit /S "$(winepath_of "$reg")" || return 1
  WINEPREFIX=$prefix "$WINESERVER_BIN" -w
  rm -f "$reg"
  e2e_settings_stamp >"$prefix/.nocturo-ready"
}

# Z: maps the Unix root, so a Unix path is reachable as Z:\path\with\backslashes.
winepath_of() { printf 'Z:%s' "${1//\//\\}"; }

# e2e_syswow64_state PREFIX: "full" when the prefix's 32-bit system folder
# holds the installed 32-bit Wine's DLLs byte for byte, otherwise what is
# wrong with it.
e2e_syswow64_state() {
  local dir=$1/drive_c/windows/syswow64 dll
  [[ -d $E2E_I386_DLLS ]] || { echo "32-bit Wine (package wine32:i386) is not installed"; return; }
  [[ -d $dir ]] || { echo "the prefix has no syswow64 folder"; return; }
  for dll in ntdll kernel32 kernelbase user32 gdi32 advapi32 shell32 comctl32; do
    [[ -f $dir/$dll.dll ]] || { echo "syswow64 has no $dll.dll (booted while 32-bit Wine could not run)"; return; }
    cmp -s "$dir/$dll.dll" "$E2E_I386_DLLS/$dll.dll" ||
      { echo "syswow64/$dll.dll is not the installed 32-bit Wine's"; return; }
  done
  echo full
}

# A template is ready when its settings are today's and, where 32-bit
# programs can run, its 32-bit half is the installed Wine's. A template booted
# while 32-bit programs could run that still came out without that half
# (recorded in .nocturo-wow64) is kept, and the 32-bit scenarios say why.
e2e_template_ready() {
  [[ -f $1/.nocturo-ready && $(cat "$1/.nocturo-ready") == "$(e2e_settings_stamp)" ]] || return 1
  e2e_enable_i386 >/dev/null 2>&1 || return 0
  [[ $(e2e_syswow64_state "$1") == full ]] && return 0
  [[ $(cat "$1/.nocturo-wow64" 2>/dev/null) == failed:* ]]
}

# Boots the template prefix when it is not cached yet, or brings its settings
# up to date. Safe to call from several runs at once: a lock serialises it.
e2e_ensure_template() {
  local template
  template=$(e2e_template_dir)
  e2e_template_ready "$template" && return 0
  mkdir -p "$(dirname "$template")"
  (
    flock 9
    e2e_template_ready "$template" && exit 0
    local wow64=none
    e2e_enable_i386 >/dev/null 2>&1 && wow64=full
    if [[ -f $template/.nocturo-ready ]]; then
      local half
      half=$(e2e_syswow64_state "$template")
      if [[ $wow64 == none || $half == full ]]; then
        e2e_log "updating the settings of the template Wine prefix $template"
        e2e_configure_prefix "$template"
        exit
      fi
      e2e_log "the template Wine prefix $template cannot run 32-bit programs: $half; booting it again"
    fi
    # Booted while 32-bit programs run (through qemu, QEMU_RESERVED_VA above),
    # the prefix gets its 32-bit half: wineboot fills syswow64 from 32-bit
    # Wine. Without it the prefix runs only 64-bit programs.
    e2e_log "booting a template Wine prefix in $template (once, two to five minutes)"
    local staging="$template.tmp.$$" display xvfb_pid fdfile
    rm -rf "$staging"
    fdfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
    xvfb_pid=$!
    local deadline=$((SECONDS + 30))
    until [[ -s $fdfile ]]; do
      ((SECONDS < deadline)) || { kill "$xvfb_pid"; exit 1; }
      sleep 0.1
    done
    display=":$(tr -d '\n' <"$fdfile")"
    rm -f "$fdfile"
    local status=0
    DISPLAY=$display WINEPREFIX=$staging WINEARCH=win64 WINEDEBUG=-all \
      WINEDLLOVERRIDES="mscoree,mshtml=" "$WINE64" wineboot -i >"$staging.log" 2>&1 || status=$?
    WINEPREFIX=$staging "$WINESERVER_BIN" -w
    if ((status == 0)); then
      DISPLAY=$display e2e_configure_prefix "$staging" || status=1
    fi
    if [[ $wow64 == full ]]; then
      local state
      state=$(e2e_syswow64_state "$staging")
      if [[ $state != full ]]; then
        e2e_log "the new template has no usable 32-bit half: $state"
        echo "failed: $state" >"$staging/.nocturo-wow64"
      fi
    fi
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
    if ((status != 0)); then
      e2e_log "wineboot failed, see $staging.log"
      exit 1
    fi
    rm -f "$staging.log"
    rm -rf "$template"
    mv "$staging" "$template"
  ) 9>"$template.lock"
}

# ---------------------------------------------------------------------------
# One scenario's environment

# e2e_setup [NAME]: private display, private prefix, output folder. NAME
# defaults to the scenario's file name.
e2e_setup() {
  E2E_NAME=${1:-$(basename "$0" .sh)}
  E2E_PIDS=()
  E2E_XVFB_PID=
  E2E_PREFIX=
  E2E_WORK=$(mktemp -d "${TMPDIR:-/tmp}/nocturo-e2e.XXXXXX")
  E2E_ART=$E2E_OUT/$E2E_NAME
  rm -rf "$E2E_ART"
  mkdir -p "$E2E_ART"
  trap e2e_cleanup EXIT
  trap 'exit 143' TERM INT

  e2e_ensure_template || e2e_fail "no template Wine prefix"
  e2e_start_display
  E2E_PREFIX=$E2E_WORK/prefix
  cp -a "$(e2e_template_dir)" "$E2E_PREFIX"
  export WINEPREFIX=$E2E_PREFIX
  export WINEDEBUG=${E2E_WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml="
  # Start this prefix's 64-bit server up front, so every program joins it,
  # then let a first program bring up the session (services, desktop,
  # taskbar), so that these run untraced and are ready before the program.
  "$WINESERVER_BIN" -p
  e2e_log "display $DISPLAY, prefix $E2E_PREFIX"
  e2e_driver window principal exists >/dev/null ||
    e2e_fail "the driver does not run under Wine: $(e2e_driver_failure)"
}

e2e_start_display() {
  local fdfile=$E2E_WORK/displayfd
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" >"$E2E_WORK/xvfb.log" 2>&1 &
  E2E_XVFB_PID=$!
  e2e_wait_for 30 "the X server" test -s "$fdfile"
  export DISPLAY=":$(tr -d '\n' <"$fdfile")"
}

e2e_cleanup() {
  local status=$?
  set +e
  local pid
  for pid in "${E2E_PIDS[@]}"; do
    kill "$pid" 2>/dev/null
  done
  if [[ -n $E2E_PREFIX && -d $E2E_PREFIX ]]; then
    WINEPREFIX=$E2E_PREFIX "$WINESERVER_BIN" -k 2>/dev/null
    WINEPREFIX=$E2E_PREFIX timeout 20 "$WINESERVER_BIN" -w 2>/dev/null
  fi
  for pid in "${E2E_PIDS[@]}"; do
    wait "$pid" 2>/dev/null
  done
  if [[ -n $E2E_XVFB_PID ]]; then
    kill "$E2E_XVFB_PID" 2>/dev/null
    wait "$E2E_XVFB_PID" 2>/dev/null
  fi
  [[ -n $E2E_WORK ]] && rm -rf "$E2E_WORK"
  exit "$status"
}

# ---------------------------------------------------------------------------
# Programs under Wine

# e2e_exe ARCH NAME -> path of the built executable (ARCH x64 or i686).
e2e_exe() {
  local dir=$E2E_BUILD_X64
  [[ $1 == i686 ]] && dir=$E2E_BUILD_I686
  echo "$dir/$2.exe"
}

# e2e_start_nocturo [--arch x64|i686] [--relay] [ARGS...]
# Starts nocturo.exe in the background; sets NOCTURO_PID, and NOCTURO_RELAY to
# its trace file (filled when --relay is given; only the calls listed in
# E2E_RELAY_FUNCTIONS are traced).
e2e_start_nocturo() {
  local arch=x64 relay=0 trace=
  while (($#)); do
    case $1 in
      --arch) arch=$2; shift 2 ;;
      --relay) relay=1; shift ;;
      --trace) trace=$2; shift 2 ;;
      *) break ;;
    esac
  done
  local exe loader=$WINE64 debug=$WINEDEBUG
  exe=$(e2e_exe "$arch" nocturo)
  [[ -f $exe ]] || e2e_fail "$exe is not built"
  [[ $arch == i686 ]] && loader=$WINE32
  E2E_STARTS=$((${E2E_STARTS:-0} + 1))
  NOCTURO_RELAY=$E2E_ART/relay-$E2E_STARTS-$arch.log
  ((relay)) && debug=+relay
  [[ -n $trace ]] && debug=$debug,$trace
  (
    cd "$(dirname "$exe")" || exit 1
    WINEDEBUG=$debug exec "$loader" "$exe" "$@"
  ) >"$E2E_ART/nocturo-$E2E_STARTS-$arch.out" 2>"$NOCTURO_RELAY" &
  NOCTURO_PID=$!
  E2E_PIDS+=("$NOCTURO_PID")
  e2e_log "started nocturo.exe ($arch) $* as PID $NOCTURO_PID"
}

# e2e_driver ARGS...: runs the 64-bit driver; prints its output. The driver
# always explains its own failures; a failure without a word comes from Wine
# itself, and is tried once more. Its stderr is kept in driver.err.
e2e_driver() {
  local status attempt out=$E2E_WORK/driver.out
  for attempt in 1 2; do
    status=0
    "$WINE64" "$(e2e_exe x64 nocturo_driver)" "$@" >"$out" 2>"$E2E_WORK/driver.last" || status=$?
    if [[ -s $E2E_WORK/driver.last ]]; then
      { echo "--- driver $* (exit $status)"; cat "$E2E_WORK/driver.last"; } >>"$E2E_ART/driver.err"
    fi
    ((status == 0)) || [[ -s $out ]] && break
    e2e_log "the driver ended with $status and no message (attempt $attempt): $*"
  done
  cat "$out"
  return "$status"
}

# Why the last driver call failed when it printed nothing.
e2e_driver_failure() {
  echo "driver failed without a message; stderr: $(tail -n 3 "$E2E_WORK/driver.last" 2>/dev/null | tr '\n' ' ')"
}

# Controls are named as in the program (btnEmpezar, lblAtencion...) or given
# by dialog identifier.
e2e_ctl() { if [[ $1 =~ ^[0-9]+$ ]]; then echo "$1"; else e2e_id "$1"; fi; }

# e2e_expect WINDOW CONTROL PROPERTY VALUE [TIMEOUT_MS]: waits until it holds.
e2e_expect() {
  local out id
  id=$(e2e_ctl "$2") || exit 1
  out=$(e2e_driver wait "$1" "$id" "$3" "$4" "${5:-5000}") ||
    e2e_fail "$1/$2 $3: expected '$4': ${out:-$(e2e_driver_failure)}"
  e2e_log "ok: $1/$2 $3 = '$4'"
}

# e2e_expect_like WINDOW CONTROL PROPERTY GLOB [TIMEOUT_MS]
e2e_expect_like() {
  local out id
  id=$(e2e_ctl "$2") || exit 1
  out=$(e2e_driver wait-like "$1" "$id" "$3" "$4" "${5:-5000}") ||
    e2e_fail "$1/$2 $3: expected like '$4': ${out:-$(e2e_driver_failure)}"
  e2e_log "ok: $1/$2 $3 = '$out'"
}

# e2e_expect_steady WINDOW CONTROL PROPERTY VALUE DURATION_MS: it keeps the
# value for the whole time.
e2e_expect_steady() {
  local out id
  id=$(e2e_ctl "$2") || exit 1
  out=$(e2e_driver steady "$1" "$id" "$3" "$4" "$5") ||
    e2e_fail "$1/$2 $3: expected to stay '$4': ${out:-$(e2e_driver_failure)}"
  e2e_log "ok: $1/$2 $3 stayed '$4' for $5 ms"
}

# e2e_seconds_of hh:mm:ss -> seconds
e2e_seconds_of() {
  local h m s
  IFS=: read -r h m s <<<"$1"
  echo $((10#$h * 3600 + 10#$m * 60 + 10#$s))
}

# e2e_get WINDOW CONTROL PROPERTY: prints the value.
e2e_get() {
  local id
  id=$(e2e_ctl "$2") || exit 1
  e2e_driver get "$1" "$id" "$3" || e2e_fail "cannot read $1/$2 $3"
}

# e2e_click WINDOW CONTROL / e2e_type WINDOW CONTROL TEXT
e2e_click() {
  local out id
  id=$(e2e_ctl "$2") || exit 1
  out=$(e2e_driver click "$1" "$id") || e2e_fail "click $1/$2: ${out:-$(e2e_driver_failure)}"
}
e2e_type() {
  local out id
  id=$(e2e_ctl "$2") || exit 1
  out=$(e2e_driver type "$1" "$id" "$3") || e2e_fail "type into $1/$2: ${out:-$(e2e_driver_failure)}"
}

# e2e_expect_focus WINDOW CONTROL [TIMEOUT_SECONDS]: the keyboard focus comes
# to the control (the driver's "focus" reads "WINDOW ID", ID 0 for the window
# itself).
e2e_focus_is() { [[ $(e2e_driver focus) == "$1" ]]; }
e2e_expect_focus() {
  local id
  id=$(e2e_ctl "$2") || exit 1
  e2e_poll "${3:-5}" e2e_focus_is "$1 $id" ||
    e2e_fail "the focus is on '$(e2e_driver focus)', not on $1/$2 ($1 $id)"
  e2e_log "ok: the focus is on $1/$2"
}

# e2e_centre_of WINDOW CONTROL: "X Y", the control's centre in screen pixels.
e2e_centre_of() {
  local l t r b
  IFS=, read -r l t r b <<<"$(e2e_get "$1" "$2" rect)"
  echo "$(((l + r) / 2)) $(((t + b) / 2))"
}

e2e_wait_window() {
  local out
  out=$(e2e_driver wait-window "$1" "$2" "${3:-10000}") || e2e_fail "window $1 not $2: ${out:-$(e2e_driver_failure)}"
}

# e2e_id NAME: the dialog identifier of a control, from the program's own list
# of control ids (src/platform/control_ids.hpp), e.g. e2e_id btnEmpezar -> 1020.
e2e_id() {
  local value
  value=$(sed -nE "s/^[[:space:]]*$1[[:space:]]*=[[:space:]]*([0-9]+),.*/\1/p" \
    "$E2E_ROOT/src/platform/control_ids.hpp")
  [[ -n $value ]] || e2e_fail "unknown control $1"
  echo $((1000 + value))
}

# ---------------------------------------------------------------------------
# 32-bit programs

# Whether 32-bit Linux programs (and so 32-bit Wine) run on this machine.
e2e_i386_runs() { "$WINE32" --version >/dev/null 2>&1; }

# Makes 32-bit Wine usable: natively when the kernel runs i386 programs,
# otherwise through qemu-user emulation registered with binfmt_misc (slow:
# a 32-bit program then takes about a minute to start). Returns 1 with a
# reason on stderr when neither works.
e2e_enable_i386() {
  e2e_i386_runs && return 0
  local binfmt=/proc/sys/fs/binfmt_misc qemu=/usr/bin/qemu-i386-static
  [[ -x $qemu ]] || { echo "32-bit programs do not run here and $qemu is missing (package qemu-user-static)" >&2; return 1; }
  local sudo=
  ((EUID == 0)) || sudo="sudo -n"
  [[ -e $binfmt/register ]] || $sudo mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null
  if [[ ! -e $binfmt/qemu-i386 ]]; then
    printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' |
      $sudo tee "$binfmt/register" >/dev/null 2>&1
  fi
  [[ -e $binfmt/qemu-i386 ]] && grep -qx enabled "$binfmt/qemu-i386" 2>/dev/null ||
    echo 1 | $sudo tee "$binfmt/qemu-i386" >/dev/null 2>&1
  e2e_i386_runs && return 0
  echo "32-bit programs do not run natively and the qemu-i386 binfmt_misc registration failed (needs root)" >&2
  return 1
}

# e2e_probe_i686: whether this scenario's prefix runs 32-bit programs, found
# out by running a tiny one (nocturo_probe.exe, exit code 42). When they do
# not, prints the reason and returns 2 if this machine cannot run them at all
# (no 32-bit loader, or a loader error that means it never will, which ends
# the wait at once), else 1: a machine that runs them must run this one.
# Its deadline is e2e_wait_busy's, for a hang, not for a busy machine.
e2e_probe_i686() {
  local reason state probe out=$E2E_WORK/probe.out pid status hung
  reason=$(e2e_enable_i386 2>&1) || { echo "$reason"; return 2; }
  state=$(e2e_syswow64_state "$WINEPREFIX")
  [[ $state == full ]] || { echo "the Wine prefix has no usable 32-bit half: $state"; return 1; }
  probe=$(e2e_exe i686 nocturo_probe)
  [[ -f $probe ]] || { echo "$probe is not built"; return 1; }
  local start=$SECONDS
  WINEDEBUG=-all,err+all "$WINE32" "$probe" >"$out" 2>&1 &
  pid=$!
  local fatal='failed to map|could not load|c0000135|Exec format error|cannot execute|wine: could not'
  # shellcheck disable=SC2016 # eval expands it at each poll
  if ! hung=$(e2e_wait_busy "$pid" "the 32-bit probe" eval 'grep -Eq "$fatal" "$out"'); then
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    echo "a 32-bit program hung in this prefix: $hung ($((SECONDS - start)) s in all)"
    return 1
  fi
  reason=$(grep -Em1 "$fatal" "$out")
  if [[ -n $reason ]]; then
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    echo "a 32-bit program cannot run in this prefix: $reason"
    return 2
  fi
  status=0
  wait "$pid" || status=$?
  if ((status != 42)); then
    echo "a 32-bit program ended with $status instead of 42: $(grep -Em1 'err:|wine' "$out")"
    return 1
  fi
  e2e_log "a 32-bit program ran in this prefix in $((SECONDS - start)) s"
}

# e2e_wait_busy PID WHAT COMMAND...: runs COMMAND every half second until it
# succeeds or PID has ended. Under qemu a 32-bit program needs a minute or
# more of one core to start, which a busy machine gives it slowly, so this
# deadline is for a hang, not for a busy machine: prints why and returns 1
# once PID has had E2E_HANG_CPU_SECONDS (300) of processor time (a spin) or
# none for E2E_HANG_STILL_SECONDS (120) (a block).
e2e_wait_busy() {
  local pid=$1 what=$2 cpu last=0 moved=$SECONDS
  local spin=${E2E_HANG_CPU_SECONDS:-300} still=${E2E_HANG_STILL_SECONDS:-120}
  shift 2
  until "$@" || e2e_pid_gone "$pid"; do
    cpu=$(e2e_cpu_seconds "$pid") || cpu=$last
    ((cpu > last)) && last=$cpu moved=$SECONDS
    if ((cpu >= spin)); then
      echo "$what: still waiting after $cpu s of processor time"
      return 1
    fi
    if ((SECONDS - moved >= still)); then
      echo "$what: no processor time for $still s"
      return 1
    fi
    sleep 0.5
  done
}

# e2e_cpu_seconds PID: the processor time (user and system) a process has had,
# in whole seconds.
e2e_cpu_seconds() {
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
  read -ra stat <<<"${stat##*) }"
  echo $(((stat[11] + stat[12]) / $(getconf CLK_TCK)))
}

# e2e_require_i686: goes on when 32-bit programs run here; skips the
# scenario (exit 77, the reason last) only where this machine cannot run
# them, and fails it where they should run but the probe did not. Call it
# after e2e_setup. Under the runner, the first scenario to ask probes and the
# others read its verdict from E2E_I686_VERDICT.
e2e_require_i686() {
  local reason status=0
  reason=$(e2e_i686_verdict) || status=$?
  case $status in
    0) return 0 ;;
    2)
      echo "skipped, the shipped 32-bit nocturo.exe was not run: $reason"
      exit 77
      ;;
    *) e2e_fail "this machine runs 32-bit programs, but the probe did not: $reason" ;;
  esac
}

# e2e_i686_verdict: returns 0 when 32-bit programs run here, otherwise prints
# why not and returns as e2e_probe_i686 does; probes once a run, again only
# after a probe that failed (for a scenario's second attempt).
e2e_i686_verdict() {
  local verdict=${E2E_I686_VERDICT:-$E2E_WORK/i686.verdict} reason status
  (
    flock 8
    [[ -s $verdict && $(head -n 1 "$verdict") != 1 ]] && exit 0
    status=0
    reason=$(e2e_probe_i686) || status=$?
    printf '%s\n%s\n' "$status" "$reason" >"$verdict"
  ) 8>"$verdict.lock"
  status=$(head -n 1 "$verdict")
  ((status == 0)) && return 0
  tail -n +2 "$verdict"
  return "$status"
}

# ---------------------------------------------------------------------------
# Relay traces

# e2e_relay_has REGEX [TRACE]: the trace (of the last start by default) holds
# a matching line. Calls read like
#   0024:Call user32.ExitWindowsEx(0000000d,00000000) ret=0040123a
e2e_relay_has() { grep -Eq "$1" "${2:-$NOCTURO_RELAY}"; }

# e2e_relay_calls [TRACE]: the traced calls, for the scenario's log.
e2e_relay_calls() { grep -E ':Call [a-z0-9]+\.' "${1:-$NOCTURO_RELAY}" | cut -c1-160; }

# e2e_prefix_processes REGEX: the PIDs of this prefix's processes whose
# command line matches, one a line (other scenarios' prefixes left out).
e2e_prefix_processes() {
  local pid
  for pid in $(pgrep -f "$1" 2>/dev/null); do
    tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "$pid"
  done
}

# e2e_session_ending: a wineboot of this prefix is still ending the session
# (a power request runs "wineboot --end-session", which outlives the program
# that asked and ends every program it finds, a newly started one included).
e2e_session_ending() { [[ -n $(e2e_prefix_processes 'wineboot') ]]; }

# e2e_wait_exit TIMEOUT_SECONDS: the last started nocturo.exe ends in time,
# and any session end it asked for is over, so the next start is not caught
# in it.
e2e_wait_exit() {
  e2e_poll "$1" e2e_pid_gone "$NOCTURO_PID" || e2e_fail "nocturo.exe (PID $NOCTURO_PID) still runs after $1 s"
  e2e_log "ok: nocturo.exe (PID $NOCTURO_PID) ended"
  if e2e_session_ending; then
    e2e_poll 60 eval '! e2e_session_ending' || e2e_fail "Wine's session end did not finish in 60 s"
    e2e_log "Wine's session end finished"
  fi
}

# e2e_reg_query KEY: reg query in this prefix, e.g. 'HKCU\Software\Nocturo\Config'.
e2e_reg_query() { "$WINE64" reg query "$1" 2>/dev/null | tr -d '\r'; }

# ---------------------------------------------------------------------------
# The designs

# e2e_check_main_window_geometry: at 96 DPI every control of the shown main
# window stands where the design puts it (twips / 15, relative to its
# container, within a pixel), the header band laid out included.
e2e_check_main_window_geometry() {
  local left top right bottom origin_x origin_y fx fy
  e2e_geometry_rect() {
    local rect
    rect=$(e2e_get principal "$1" rect)
    IFS=, read -r left top right bottom <<<"$rect"
  }

  # The band sits at the client area's top-left corner.
  e2e_geometry_rect PrincipalBanda
  origin_x=$left origin_y=$top
  ((right - left == 241)) || e2e_fail "band width $((right - left)), want 241"

  # e2e_geometry_expect CONTROL CONTAINER_X CONTAINER_Y LEFT TOP WIDTH HEIGHT (design twips)
  e2e_geometry_expect() {
    local control=$1 base_x=$2 base_y=$3
    local want=($((base_x + $4 / 15)) $((base_y + $5 / 15)) $(($6 / 15)) $(($7 / 15)))
    e2e_geometry_rect "$control"
    local got=($left $top $((right - left)) $((bottom - top)))
    local i
    for i in 0 1 2 3; do
      local diff=$((got[i] - want[i]))
      if ((diff < -1 || diff > 1)); then
        e2e_fail "$control at ${got[*]} (left top width height), design ${want[*]}"
      fi
    done
    e2e_log "$control at ${got[*]}"
  }

  e2e_geometry_expect frDesconexion "$origin_x" "$origin_y" 240 960 3135 1215
  e2e_geometry_expect FrModo "$origin_x" "$origin_y" 240 2280 3135 1095
  e2e_geometry_expect FrInformacion "$origin_x" "$origin_y" 240 3480 3135 1455
  e2e_geometry_expect btnEmpezar "$origin_x" "$origin_y" 255 5040 975 375
  e2e_geometry_expect btnDetener "$origin_x" "$origin_y" 1335 5040 975 375
  e2e_geometry_expect btnSalir "$origin_x" "$origin_y" 2415 5040 975 375

  e2e_geometry_rect frDesconexion
  fx=$left fy=$top
  e2e_geometry_expect optDesconexion1 "$fx" "$fy" 240 360 1095 195
  e2e_geometry_expect txtDentroDe "$fx" "$fy" 1440 315 855 285
  e2e_geometry_expect optDesconexion2 "$fx" "$fy" 240 720 735 255
  e2e_geometry_expect txtALas "$fx" "$fy" 1440 720 855 285

  e2e_geometry_rect FrModo
  fx=$left fy=$top
  e2e_geometry_expect optModo1 "$fx" "$fy" 120 360 855 195
  e2e_geometry_expect optModo2 "$fx" "$fy" 120 720 1095 255
  e2e_geometry_expect optModo3 "$fx" "$fy" 1560 360 975 255
  e2e_geometry_expect chkForzado "$fx" "$fy" 1560 720 1095 255

  e2e_geometry_rect FrInformacion
  e2e_geometry_expect lblMinRestantes "$left" "$top" 360 720 2415 525

  # The header band after its layout: 3615 - 480 - 120 = 3015 for the logo,
  # 3015 - 645 - 120 = 2250 for the description.
  e2e_geometry_expect PrincipalLogo "$origin_x" "$origin_y" 3015 120 480 480
  e2e_geometry_expect PrincipalDescripcion "$origin_x" "$origin_y" 645 360 2250 435

  # Labels that size themselves to their text, measured in their own fonts
  # before the window had controls: the size Wine's static control draws
  # their texts in (Tahoma at 96 DPI).
  e2e_geometry_size() {
    e2e_geometry_rect "$1"
    [[ "$((right - left)) $((bottom - top))" == "$2 $3" ]] ||
      e2e_fail "$1 is $((right - left))x$((bottom - top)) pixels, its text's size is $2x$3"
    e2e_log "$1 is $2x$3"
  }
  e2e_geometry_size PrincipalTitulo 61 12
  e2e_geometry_size lblMinutos1 41 13
  # The status label sizes itself to what it says; its size is known here
  # for the stopped state's text (90-i686-product checks a counting window).
  if [[ $(e2e_get principal lblAtencion text) == DETENIDO ]]; then
    e2e_geometry_size lblAtencion 101 23
  else
    e2e_log "lblAtencion's size not checked: it does not say DETENIDO"
  fi
}

# ---------------------------------------------------------------------------
# Screenshots

# e2e_screenshot FILE: the whole screen.
e2e_screenshot() { import -display "$DISPLAY" -window root "$1"; }

# e2e_window_shot WINDOW FILE: one of the program's windows, cut out of the
# screen at the rectangle the driver reports.
e2e_window_shot() {
  local rect l t r b
  rect=$(e2e_driver window "$1" rect) || e2e_fail "no rectangle for $1"
  IFS=, read -r l t r b <<<"$rect"
  import -display "$DISPLAY" -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage "$2"
}

# e2e_save_doc_image FILE NAME: with E2E_DOC_IMAGES=1, the screenshot also
# becomes docs/images/NAME (the pictures in the documentation).
e2e_save_doc_image() {
  [[ ${E2E_DOC_IMAGES:-0} == 1 ]] || return 0
  mkdir -p "$E2E_ROOT/docs/images"
  cp "$1" "$E2E_ROOT/docs/images/$2"
  e2e_log "updated docs/images/$2"
}

# e2e_control_shot WINDOW ID FILE: a control, cut out the same way.
e2e_control_shot() {
  local rect l t r b
  rect=$(e2e_get "$1" "$2" rect)
  IFS=, read -r l t r b <<<"$rect"
  import -display "$DISPLAY" -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage "$3"
}

# ---------------------------------------------------------------------------
# The notification area and the real mouse

# e2e_relay_count REGEX [TRACE]: how many lines of the trace match.
e2e_relay_count() { grep -Ec "$1" "${2:-$NOCTURO_RELAY}"; }

# e2e_tray_icon_box [SCREENSHOT]: "WIDTHxHEIGHT+LEFT+TOP" of whatever is drawn
# in the notification area, the right-hand end of the taskbar (Wine draws it
# there, with no clock); fails when it is empty. It takes a screenshot when
# none is given.
e2e_tray_icon_box() {
  local shot=${1:-$E2E_WORK/tray-box.png} bar l t r b box
  [[ -n ${1:-} ]] || e2e_screenshot "$shot"
  bar=$(e2e_driver find Shell_TrayWnd | sed -nE 's/.* rect=([-0-9,]+) .*/\1/p' | head -n 1)
  [[ -n $bar ]] || return 1
  IFS=, read -r l t r b <<<"$bar"
  # The last 160 pixels of the bar, trimmed of the bar's own colour.
  box=$(convert "$shot" -crop "160x$((b - t))+$((r - 160))+$t" +repage -fuzz 10% -trim \
    -format '%wx%h%O' info: 2>/dev/null) || return 1
  local w h x y
  [[ $box =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || return 1
  w=${BASH_REMATCH[1]} h=${BASH_REMATCH[2]} x=${BASH_REMATCH[3]} y=${BASH_REMATCH[4]}
  # An empty area trims down to a single pixel.
  ((w >= 8 && h >= 8)) || return 1
  echo "${w}x${h}+$((r - 160 + x))+$((t + y))"
}

# e2e_tray_icon_centre: "X Y" of the icon's centre in screen pixels, waiting
# up to 10 s for it to be drawn.
e2e_tray_icon_centre() {
  local box deadline=$((SECONDS + 10))
  until box=$(e2e_tray_icon_box); do
    ((SECONDS < deadline)) || e2e_fail "no icon in the notification area"
    sleep 0.3
  done
  [[ $box =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]]
  echo "$((BASH_REMATCH[3] + BASH_REMATCH[1] / 2)) $((BASH_REMATCH[4] + BASH_REMATCH[2] / 2))"
}

# ---------------------------------------------------------------------------
# Faults

# e2e_expect_no_crash [FILE...]: no Wine crash report in the program's output
# and traces (an unhandled exception prints "Unhandled ..." and starts the
# debugger, even with the crash dialog off). Default: every nocturo-*.out and
# relay-*.log of this scenario.
e2e_expect_no_crash() {
  local files=("$@") found
  ((${#files[@]})) || files=("$E2E_ART"/nocturo-*.out "$E2E_ART"/relay-*.log)
  found=$(grep -HE 'Unhandled (page fault|exception|stack overflow)|starting debugger|winedbg|Backtrace:|terminate called|abnormal program termination' \
    "${files[@]}" 2>/dev/null | head -n 5)
  [[ -z $found ]] || e2e_fail "crash report: $found"
}

# e2e_expect_exit TIMEOUT_SECONDS [STATUS]: the last started nocturo.exe ends
# in time with that exit status (default 0, as ExitProcess(0) gives; an
# unhandled page fault gives 5; "any" takes whatever it is, as after a power
# request, which ends Wine's session). Sets NOCTURO_STATUS.
e2e_expect_exit() {
  e2e_wait_exit "$1"
  NOCTURO_STATUS=0
  wait "$NOCTURO_PID" 2>/dev/null || NOCTURO_STATUS=$?
  e2e_log "nocturo.exe exit status $NOCTURO_STATUS"
  [[ ${2:-0} == any || $NOCTURO_STATUS == "${2:-0}" ]] || e2e_fail "nocturo.exe ended with status $NOCTURO_STATUS, not ${2:-0}"
}

# e2e_reg_import < TEXT: imports a .reg file given as UTF-8 text, headed
# "Windows Registry Editor Version 5.00" (so that hex(1), hex(2) and hex(7)
# data are UTF-16LE bytes, as the system stores them), into this prefix.
e2e_reg_import() {
  local reg=$E2E_WORK/import-$RANDOM.reg
  { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE; } >"$reg"
  WINEDEBUG=-all "$WINE64" regedit /S "$(winepath_of "$reg")" || e2e_fail "regedit could not import $reg"
  rm -f "$reg"
}

# e2e_tray_menu ITEM: a right-click notification to the tray callback, then
# item ITEM (1 Mostrar, 2 Acerca de, 3 Salir) of the menu it opens.
e2e_tray_menu() {
  local out
  e2e_driver tray 517 >/dev/null || e2e_fail "cannot notify the tray callback"
  out=$(e2e_driver wait-menu open 5000) || e2e_fail "the tray menu did not open: $out"
  e2e_driver menu-select "$1" >/dev/null || e2e_fail "cannot choose item $1 of the tray menu"
}

# e2e_tray_exit: "Salir" from the tray icon's menu.
e2e_tray_exit() { e2e_tray_menu 3; }

# e2e_signing_keys DIR: throwaway keys for scripts/package.sh, made afresh in
# DIR: sign.p12 (a self-signed code-signing certificate issued to the
# publisher in CMakeLists.txt, cert.pem its certificate) with its password
# in password; expired.p12, stranger.p12 (issued to someone else) and
# plain.p12 (not for code signing) with the same password; sums, an ssh key
# for SHA256SUMS, and allowed_signers naming it "nocturo".
e2e_signing_keys() {
  local dir=$1 publisher
  publisher=$(sed -nE 's/^set\(NOCTURO_PUBLISHER "([^"]+)"\)$/\1/p' "$E2E_ROOT/CMakeLists.txt")
  mkdir -p "$dir" && chmod 700 "$dir"
  printf 'pw-%s\n' "$RANDOM$RANDOM" >"$dir/password"
  # certificate NAME SUBJECT USAGE [FAKETIME]: NAME.p12 and NAME.pem.
  certificate() {
    local when=()
    [[ -z ${4:-} ]] || when=(faketime -f "$4")
    "${when[@]}" openssl req -x509 -newkey rsa:2048 -nodes -days 30 -subj "$2" -utf8 \
      -addext "keyUsage=critical,digitalSignature" ${3:+-addext "extendedKeyUsage=$3"} \
      -keyout "$dir/$1.key" -out "$dir/$1.pem" 2>/dev/null &&
      openssl pkcs12 -export -inkey "$dir/$1.key" -in "$dir/$1.pem" -out "$dir/$1.p12" \
        -passout "file:$dir/password" && rm -f "$dir/$1.key"
  }
  certificate sign "/CN=$publisher" codeSigning &&
    certificate expired "/CN=$publisher" codeSigning '2020-01-01 00:00:00' &&
    certificate stranger "/CN=Mallory" codeSigning &&
    certificate plain "/CN=$publisher" serverAuth || e2e_fail "cannot make the certificates"
  mv "$dir/sign.pem" "$dir/cert.pem"
  ssh-keygen -q -t ed25519 -N '' -C nocturo -f "$dir/sums" || e2e_fail "cannot make the ssh key"
  echo "nocturo $(cat "$dir/sums.pub")" >"$dir/allowed_signers"
}
