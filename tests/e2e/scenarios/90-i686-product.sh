#!/usr/bin/env bash
# e2e-timeout: 2400
# e2e-arch: i686
# The shipped 32-bit nocturo.exe, run as itself under 32-bit Wine (through
# qemu on hosts that cannot run i386 programs: about a minute a start), where
# it differs from the 64-bit test build: the 88-byte icon record goes to the
# shell unchanged (the shell draws the icon, shows its tooltip and posts its
# callback; no size warning), the windows stand at their design places, a
# second copy ends itself, the position survives a restart, and a count asks
# for its power action. Three starts in all.
source "$(dirname "$0")/../lib.sh"
e2e_setup
e2e_require_i686

ADD='Call shell32\.Shell_NotifyIconA\(00000000,'
MODIFY='Call shell32\.Shell_NotifyIconA\(00000001,'
DELETE='Call shell32\.Shell_NotifyIconA\(00000002,'
CONFIG='HKCU\Software\Nocturo\Config'
# Wine warns on the shell side when a record's size is not one it knows.
SIZE_WARNING='Invalid cbSize'

# wait_busy PID WHAT COMMAND...: e2e_wait_busy, failing the scenario: under
# qemu a start takes a minute or more of one core, and a deadline in seconds
# would fail a busy machine rather than a hung program.
wait_busy() {
  local why
  why=$(e2e_wait_busy "$@") || e2e_fail "$why"
}
main_window() {
  wait_busy "$NOCTURO_PID" "the main window of nocturo.exe (i686)" \
    e2e_driver wait-window principal visible 5000
  e2e_wait_window principal visible 10000
}

# First start: counting five minutes, shown (long enough for every check
# and the second copy's slow start).
started=$SECONDS
e2e_start_nocturo --arch i686 --relay --trace warn+systray /D005 /E /S
first_relay=$NOCTURO_RELAY first_pid=$NOCTURO_PID
main_window
e2e_log "the main window of nocturo.exe (i686) showed after $((SECONDS - started)) s"

# A second copy, started now, must end by itself without an icon of its own.
e2e_start_nocturo --arch i686 --relay /S
second_relay=$NOCTURO_RELAY second_pid=$NOCTURO_PID

caption=$(e2e_driver window principal caption)
[[ $caption == "Nocturo v2.5" ]] || e2e_fail "caption is '$caption'"
e2e_expect principal lblAtencion text "CONTANDO"
e2e_check_main_window_geometry
e2e_window_shot principal "$E2E_ART/main-window-i686.png"

# The record as the shell took it: the icon drawn, its tooltip, and its
# callback message posted to the About window on a real right-click.
e2e_wait_for 30 "the tray icon (NIM_ADD)" e2e_relay_has "$ADD" "$first_relay"
read -r x y < <(e2e_tray_icon_centre)
e2e_log "the icon is drawn around ($x, $y)"
tip=
for nudge in 0 1 0 1 0 1; do
  xdotool mousemove "$x" "$((y + nudge))"
  tip=$(e2e_driver wait-tooltip 'Nocturo - 00:0?:??' 5000) && break
  tip=
done
[[ -n $tip ]] || e2e_fail "no tooltip 'Nocturo - hh:mm:ss' (visible: $(e2e_driver tooltip | tr '\n' '|'))"
e2e_log "ok: the shell shows the tooltip '$tip'"
xdotool mousemove "$x" "$y" click 3
out=$(e2e_driver wait-menu open 30000) || e2e_fail "a right-click on the icon opened no menu: $out"
e2e_driver menu-select 2 >/dev/null || e2e_fail "cannot choose Acerca de"
e2e_wait_window acercade visible 30000
caption=$(e2e_driver window acercade caption)
e2e_log "ok: a real right-click opened the menu, and the About window shows ('$caption')"
e2e_window_shot acercade "$E2E_ART/about-window-i686.png"

e2e_log "waiting for the second copy (PID $second_pid) to end"
NOCTURO_PID=$second_pid
wait_busy "$second_pid" "the second copy's end" false
e2e_expect_exit 10 0
if e2e_relay_has 'Call shell32\.Shell_NotifyIconA' "$second_relay"; then
  e2e_fail "the second copy touched the tray icon: $(grep -m1 Shell_NotifyIconA "$second_relay")"
fi
count=$(e2e_driver window principal count)
((count == 1)) || e2e_fail "$count main windows after the second copy"
e2e_log "ok: the second copy ended by itself, with no icon and no window"

# Move the window, end through the menu: the position is stored.
e2e_driver move principal 100 80 >/dev/null || e2e_fail "cannot move the main window"
NOCTURO_PID=$first_pid NOCTURO_RELAY=$first_relay
e2e_tray_exit
wait_busy "$NOCTURO_PID" "nocturo.exe's end after Salir" false
e2e_wait_exit 60
settings=$(e2e_reg_query "$CONFIG")
posx=$(awk '$1 == "PosX" { print $3 }' <<<"$settings")
posy=$(awk '$1 == "PosY" { print $3 }' <<<"$settings")
[[ $posx == 1500 && $posy == 1200 ]] || e2e_fail "stored PosX=$posx PosY=$posy for a window at (100, 80)"
e2e_log "ok: stored PosX=$posx PosY=$posy"
adds=$(e2e_relay_count "$ADD") modifies=$(e2e_relay_count "$MODIFY") deletes=$(e2e_relay_count "$DELETE")
e2e_log "icon calls of the first start: $adds add, $modifies modify, $deletes delete"
((adds == 1 && modifies >= 5 && deletes == 1)) || e2e_fail "icon calls: $adds add, $modifies modify, $deletes delete"
last=$(grep -E 'Call shell32\.Shell_NotifyIconA\(' "$NOCTURO_RELAY" | tail -n 1)
[[ $last =~ $DELETE ]] || e2e_fail "the last icon call is not the removal: $last"
if e2e_relay_has "$SIZE_WARNING"; then e2e_fail "the shell did not know the record's size: $(grep -m1 "$SIZE_WARNING" "$NOCTURO_RELAY")"; fi

# Third start: at the stored place, a zero-minute count to a forced power-off.
started=$SECONDS
e2e_start_nocturo --arch i686 --relay /S /F /MA /D000 /E
main_window
e2e_log "the main window showed after $((SECONDS - started)) s"
e2e_expect_like principal lblMinRestantes text "00:00:??"
e2e_expect principal lblAtencion text "ATENCIÓN!"
e2e_expect principal chkForzado check 1
e2e_expect principal optModo1 check 1
IFS=, read -r l t _ _ <<<"$(e2e_driver window principal rect)"
[[ "$l $t" == "100 80" ]] || e2e_fail "the window opens at ($l, $t), not where it was stored (100, 80)"
e2e_log "ok: the window opens again at (100, 80)"
wait_busy "$NOCTURO_PID" "nocturo.exe's end after its count" false
e2e_wait_exit 60
e2e_log "nocturo.exe (i686) ended after $((SECONDS - started)) s"
e2e_relay_calls >&2
e2e_relay_has "$ADD" || e2e_fail "the tray icon was never added"
e2e_relay_has 'Call user32\.ExitWindowsEx\(0000000d,00000000\)' ||
  e2e_fail "no ExitWindowsEx(13, 0) in $NOCTURO_RELAY"
e2e_expect_no_crash
