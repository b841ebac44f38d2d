#!/usr/bin/env bash
# e2e-timeout: 1200
# e2e-run: background
# The release MSI as a user meets it: its tables hold the components, key
# paths and upgrade code that Windows Installer relies on; msiexec /i /qn
# installs the program, its Start-menu shortcut and its Add/Remove Programs
# entry, and the Startup shortcut only with AUTOSTART=1, a secure property; the installed
# nocturo.exe starts and adds its icon; a 2.5 over an older version, and over
# itself, leaves one copy; msiexec /x /qn removes every file and shortcut and
# leaves the saved window position alone.
#
# The packages come from E2E_DIST (scripts/test.sh makes them) or are made
# here by scripts/package.sh, signed with a throwaway certificate, so that
# the signed MSI is the one installed.
source "$(dirname "$0")/../lib.sh"
e2e_setup
# No desktop entries for the host from the shortcuts.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"

dist=${E2E_DIST:-}
if [[ -z $dist ]]; then
  dist=$E2E_WORK/dist
  e2e_log "making the packages (scripts/package.sh --allow-dirty --sign)"
  e2e_signing_keys "$E2E_WORK/keys"
  NOCTURO_SIGN_PASSWORD_FILE=$E2E_WORK/keys/password "$E2E_ROOT/scripts/package.sh" --allow-dirty \
    --out "$dist" --sign "$E2E_WORK/keys/sign.p12" >"$E2E_ART/package.log" 2>&1 ||
    e2e_fail "scripts/package.sh failed: $(tail -n 5 "$E2E_ART/package.log")"
fi
msi=$dist/nocturo-2.5.msi zip=$dist/nocturo-2.5-win32.zip
[[ -f $msi && -f $zip ]] || e2e_fail "no packages in $dist"
(cd "$dist" && sha256sum -c --quiet SHA256SUMS) || e2e_fail "SHA256SUMS does not match the packages"
mkdir "$E2E_WORK/unzipped"
unzip -q "$zip" -d "$E2E_WORK/unzipped" || e2e_fail "cannot unzip $zip"
built=$E2E_WORK/unzipped/nocturo-2.5-win32
e2e_log "ok: packages in $dist, checksums match"

# --- The tables ------------------------------------------------------------
# table NAME: its rows, tab-separated, without the three header lines.
table() { msiinfo export "$msi" "$1" | tr -d '\r' | tail -n +4; }
expect_row() {
  table "$1" | grep -qxF "$2" || e2e_fail "no row '$2' in table $1; it holds:"$'\n'"$(table "$1")"
}
upgrade_code='{D85FDC6C-7C7F-5958-8A21-DF9DC225752A}'
product_code=$(table Property | sed -n 's/^ProductCode\t//p')
[[ $product_code =~ ^\{[0-9A-F-]{36}\}$ ]] || e2e_fail "no product code"
for row in "UpgradeCode	$upgrade_code" "ProductName	Nocturo" "ProductVersion	2.5" \
  "Manufacturer	El equipo de Nocturo" "ARPPRODUCTICON	nocturo.ico" "ALLUSERS	1"; do
  expect_row Property "$row"
done
# Each file its own component, with the file as key path; each shortcut's
# component a per-machine registry value as key path (attribute 4).
expect_row Component "NocturoExe	{029087CA-12E5-5446-9FC5-4A8877D8DE71}	INSTALLDIR	0		nocturo.exe"
expect_row Component "ReadMe	{67E6FE94-D547-5935-BB2A-2E3E249B6B4C}	INSTALLDIR	0		README.txt"
expect_row Component "Licence	{8B7DB372-0417-5718-A75B-D10321262289}	INSTALLDIR	0		LICENCIA.txt"
for c in MenuShortcut StartupShortcut; do
  key=$(table Component | awk -F'\t' -v c="$c" '$1 == c && $4 == 4 { print $6 }')
  [[ -n $key ]] || e2e_fail "component $c has no registry key path"
  table Registry | awk -F'\t' -v k="$key" -v c="$c" '$1 == k && $2 == 2 && $6 == c' | grep -q . ||
    e2e_fail "the key path $key of $c is not an HKLM value of that component"
done
expect_row Directory "INSTALLDIR	ProgramFilesFolder	Nocturo"
expect_row FeatureComponents "Nocturo	NocturoExe"
expect_row FeatureComponents "Nocturo	MenuShortcut"
expect_row FeatureComponents "StartWithWindows	StartupShortcut"
# The Startup shortcut is off unless AUTOSTART is 1.
table Feature | awk -F'\t' '$1 == "StartWithWindows" && $6 > 1' | grep -q . ||
  e2e_fail "the StartWithWindows feature is on by default"
expect_row Condition 'StartWithWindows	1	AUTOSTART = "1"'
# A secure property, or an install started from a prompt that is not
# elevated loses AUTOSTART=1 on its way to the elevated part.
secure=$(table Property | sed -n 's/^SecureCustomProperties\t//p')
[[ ";$secure;" == *";AUTOSTART;"* ]] || e2e_fail "AUTOSTART is not in SecureCustomProperties: '$secure'"
# Both shortcuts start the installed program with no arguments.
for s in MenuNocturo StartupNocturo; do
  table Shortcut | awk -F'\t' -v s="$s" '$1 == s && $5 == "[INSTALLDIR]nocturo.exe" && $6 == "" && $12 == "INSTALLDIR"' |
    grep -q . || e2e_fail "shortcut $s: $(table Shortcut | grep "^$s")"
done
table Upgrade | awk -F'\t' -v u="$upgrade_code" '$1 == u && $3 == "2.5" && $7 == "WIX_UPGRADE_DETECTED"' |
  grep -q . || e2e_fail "no major-upgrade row for $upgrade_code"
table InstallExecuteSequence | grep -q '^RemoveExistingProducts	' || e2e_fail "no RemoveExistingProducts"
msiinfo suminfo "$msi" | grep -q '^Template: Intel;1033' || e2e_fail "not a 32-bit package"
e2e_log "ok: tables (product code $product_code)"

# --- Where Windows puts things (Wine's 64-bit prefix) ------------------------
# The installer's folders are read from its log (folder_of), so the checks
# look where it put things; what Wine 8 chooses is in
# docs/testing-under-wine.md.
c=$WINEPREFIX/drive_c
install_dir="$c/Program Files (x86)/Nocturo"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'

msiexec() {
  local log=$E2E_ART/msiexec-$((++msi_runs)).log
  e2e_log "msiexec $*"
  "$WINE64" msiexec "$@" /qn /l*v "$(winepath_of "$log")" || e2e_fail "msiexec $* failed; see $log"
}
msi_runs=0
# folder_of PROPERTY: the Unix path of the folder the last msiexec resolved
# PROPERTY to, e.g. ProgramMenuFolder.
folder_of() {
  local path
  path=$(tr -d '\r' <"$E2E_ART/msiexec-$msi_runs.log" | sed -n "s/^Property(S): $1 = //p" | tail -n 1)
  [[ $path == [Cc]:\\* ]] || e2e_fail "no $1 in the log of msiexec: '$path'"
  path=${path:3}
  echo "$c/${path//\\//}"
}
# uninstall_entries: the Add/Remove Programs keys named Nocturo, 32-bit view.
uninstall_entries() {
  "$WINE64" reg query "$uninstall_key" /s /reg:32 2>/dev/null | tr -d '\r' |
    awk '/^HKEY/ { key = $0 } /DisplayName[ \t]+REG_SZ[ \t]+Nocturo$/ { print key }'
}
installed_copies() { find "$c" -iname nocturo.exe -not -path '*/windows/*' | wc -l; }

expect_installed() {
  local file
  for file in nocturo.exe README.txt LICENCIA.txt; do
    cmp -s "$install_dir/$file" "$built/$file" || e2e_fail "$install_dir/$file is missing or not the packaged one"
  done
  [[ -f $menu_lnk ]] || e2e_fail "no Start-menu shortcut $menu_lnk; shortcuts: $(find "$c" -name '*.lnk' | grep -i nocturo)"
  # The shortcut names the installed program (Wine writes the path in UTF-16).
  iconv -f UTF-16LE -t UTF-8 "$menu_lnk" 2>/dev/null | tr -d '\0' | grep -qi 'Nocturo.nocturo\.exe' ||
    strings -a "$menu_lnk" | grep -qi 'Nocturo.nocturo\.exe' || e2e_fail "$menu_lnk does not point at nocturo.exe"
  local entries count
  entries=$(uninstall_entries)
  count=$(grep -c . <<<"$entries")
  ((count == 1)) || e2e_fail "$count Add/Remove Programs entries: $entries"
  ((count == 1 && $(installed_copies) == 1)) || e2e_fail "$(installed_copies) copies of nocturo.exe"
  e2e_log "ok: files in $install_dir, $menu_lnk, one uninstall entry"
}
expect_entry() {
  local entry=$1 name value
  shift
  while (($#)); do
    name=$1 value=$2
    shift 2
    "$WINE64" reg query "$entry" /v "$name" /reg:32 2>/dev/null | tr -d '\r' |
      grep -qE "^ +$name +REG_[A-Z_]+ +$value\$" ||
      e2e_fail "$entry $name is not '$value':"$'\n'"$("$WINE64" reg query "$entry" /reg:32 | tr -d '\r')"
  done
}

# A saved window position that the installer must leave alone.
"$WINE64" reg add 'HKCU\Software\Nocturo\Config' /v PosX /d 1500 /f >/dev/null || e2e_fail "reg add PosX"
"$WINE64" reg add 'HKCU\Software\Nocturo\Config' /v PosY /d 900 /f >/dev/null || e2e_fail "reg add PosY"

# 1. Installed without AUTOSTART: no Startup shortcut.
msiexec /i "$(winepath_of "$msi")"
[[ $(folder_of ProgramFilesFolder) == "$c/Program Files (x86)/" ]] ||
  e2e_fail "the 32-bit package went to $(folder_of ProgramFilesFolder)"
menu_lnk=$(folder_of ProgramMenuFolder)Nocturo.lnk
startup_lnk=$(folder_of StartupFolder)Nocturo.lnk
e2e_log "the installer's folders: $install_dir, $menu_lnk, $startup_lnk"
expect_installed
[[ ! -e $startup_lnk ]] || e2e_fail "a Startup shortcut without AUTOSTART=1"
entry="$uninstall_key\\$product_code"
expect_entry "$entry" DisplayName Nocturo DisplayVersion 2.5 Publisher 'El equipo de Nocturo'
# Add/Remove Programs shows the product's icon, which the installer
# publishes with the product (ARPPRODUCTICON), not in the Uninstall key.
icon=$("$WINE64" reg query 'HKLM\Software\Classes\Installer\Products' /s 2>/dev/null | tr -d '\r' |
  awk '/^HKEY/ { name = ""; icon = "" } /ProductName +REG_SZ +Nocturo$/ { name = 1 }
       /ProductIcon +REG_SZ/ { sub(/.*REG_SZ +/, ""); icon = $0 } name && icon { print icon; exit }')
[[ $icon == *nocturo.ico ]] || e2e_fail "no product icon published: '$icon'"
icon_file=${icon:3}
icon_file=$c/${icon_file//\\//}
cmp -s "$icon_file" "$E2E_ROOT/res/nocturo.ico" || e2e_fail "the product icon $icon is not nocturo.ico"
e2e_log "ok: $entry has the name, version 2.5 and publisher; the product icon is $icon"

# 2. Installed over itself: still one copy.
msiexec /i "$(winepath_of "$msi")"
expect_installed

# 3. Removed: no file, no shortcut, no entry; the position stays.
msiexec /x "$(winepath_of "$msi")"
expect_removed() {
  [[ ! -e $install_dir ]] || e2e_fail "left behind: $(find "$install_dir")"
  local left
  left=$(find "$c" \( -iname 'nocturo*.lnk' -o -iname nocturo.exe \) -not -path '*/windows/*')
  [[ -z $left ]] || e2e_fail "left behind: $left"
  [[ -z $(uninstall_entries) ]] || e2e_fail "the uninstall entry is still there"
  local config
  config=$(e2e_reg_query 'HKCU\Software\Nocturo\Config')
  if ! grep -qE 'PosX +REG_SZ +1500' <<<"$config" || ! grep -qE 'PosY +REG_SZ +900' <<<"$config"; then
    e2e_fail "the saved position is gone: $config"
  fi
  e2e_log "ok: removed; HKCU\\Software\\Nocturo\\Config kept"
}
expect_removed

# 4. An older version (the same package as 2.4, its own product code), then
# 2.5 with AUTOSTART=1 over it: the major upgrade leaves one copy, 2.5.
older=$E2E_WORK/nocturo-2.4.msi
mkdir "$E2E_WORK/stage-older"
cp "$built"/nocturo.exe "$built"/README.txt "$built"/LICENCIA.txt "$E2E_ROOT/res/nocturo.ico" "$E2E_WORK/stage-older/"
(cd "$E2E_WORK" && wixl -a x86 -D Version=2.4 -D Publisher="El equipo de Nocturo" \
  -D ProductCode=0F1E2D3C-4B5A-4978-8695-A4B3C2D1E0F9 -D Stage=stage-older \
  -o "$older" "$E2E_ROOT/packaging/nocturo.wxs") >"$E2E_ART/wixl-older.log" 2>&1 ||
  e2e_fail "cannot build the older package: $(cat "$E2E_ART/wixl-older.log")"
msiexec /i "$(winepath_of "$older")"
expect_installed
expect_entry "$uninstall_key\\{0F1E2D3C-4B5A-4978-8695-A4B3C2D1E0F9}" DisplayVersion 2.4
msiexec /i "$(winepath_of "$msi")" AUTOSTART=1
expect_installed
expect_entry "$entry" DisplayVersion 2.5
e2e_log "ok: 2.5 replaced 2.4"
[[ -f $startup_lnk ]] || e2e_fail "no Startup shortcut with AUTOSTART=1: $(find "$c" -name '*.lnk')"
e2e_log "ok: $startup_lnk"

# 5. The installed program starts from where it was installed and adds its
# icon: the real 32-bit program, so only where 32-bit Wine runs.
exe_win='C:\Program Files (x86)\Nocturo\nocturo.exe'
cmp -s "$install_dir/nocturo.exe" "$built/nocturo.exe" || e2e_fail "the installed nocturo.exe is not the built one"
e2e_log "ok: the installed nocturo.exe is byte for byte the packaged i686 build"
if reason=$(e2e_i686_verdict); then
  e2e_log "starting $exe_win with the 32-bit loader (through qemu this takes a minute or more)"
  trace=$E2E_ART/relay-installed-i686.log
  started=$SECONDS
  (cd "$install_dir" && WINEDEBUG=+relay exec "$WINE32" "$exe_win") >"$E2E_ART/nocturo-installed.out" 2>"$trace" &
  loader=$!
  E2E_PIDS+=("$loader")
  icon_added() { grep -q 'Call shell32\.Shell_NotifyIconA(00000000,' "$trace"; }
  added_or_ended() { icon_added || e2e_pid_gone "$loader"; }
  e2e_wait_for 600 "the installed nocturo.exe to add its icon" added_or_ended
  icon_added || e2e_fail "the 32-bit loader ended before an icon was added: $(head -c 600 "$trace")"
  e2e_log "ok: the installed nocturo.exe added its icon after $((SECONDS - started))s"
  e2e_wait_for 60 "the tray icon to be drawn" e2e_tray_icon_box
  e2e_screenshot "$E2E_ART/installed-running.png"
  e2e_tray_exit
  # shellcheck disable=SC2016 # eval expands it at each poll
  e2e_poll 120 eval '[[ -z $(e2e_prefix_processes "nocturo\.exe") ]]' || e2e_fail "the installed nocturo.exe did not end"
else
  e2e_log "not starting the installed 32-bit nocturo.exe: $reason"
fi

msiexec /x "$(winepath_of "$msi")"
expect_removed
[[ ! -e $startup_lnk ]] || e2e_fail "the Startup shortcut is left behind"
