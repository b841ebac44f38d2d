#!/usr/bin/env bash
# Builds the Linux program's .deb (scripts/package-deb.sh --allow-dirty) into
# build/dist-deb and checks what menus and software centres read from it:
#   appstreamcli validate-tree (no network, pedantic) over the installed tree,
#   desktop-file-validate on the launcher, lintian on the package (errors and
#   warnings fail).
# Nothing AppStream reports is allowed, pedantic notes included.
#
#   scripts/check-package-deb.sh [--no-build]   (--no-build: the .deb there)
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/build/dist-deb

for entry in appstreamcli:appstream desktop-file-validate:desktop-file-utils lintian:lintian; do
  command -v "${entry%:*}" >/dev/null ||
    { echo "check-package-deb: ${entry%:*} is missing (package ${entry#*:})" >&2; exit 1; }
done

if [[ ${1:-} != --no-build ]]; then
  rm -f "$out"/nocturo_*.deb
  "$root/scripts/package-deb.sh" --allow-dirty --out "$out" >"$root/build/package-deb.log" 2>&1 ||
    { tail -n 30 "$root/build/package-deb.log" >&2; echo "check-package-deb: no package" >&2; exit 1; }
fi
shopt -s nullglob
debs=("$out"/nocturo_*.deb)
((${#debs[@]} == 1)) || { echo "check-package-deb: ${#debs[@]} packages in $out, expected one" >&2; exit 1; }
deb=${debs[0]}

tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree"
failed=0

appstream=$(appstreamcli validate-tree --no-net --pedantic "$tree" 2>&1)
if grep -qE '^ *[EWIP]: ' <<<"$appstream"; then
  echo "$appstream"
  echo "check-package-deb: appstreamcli: findings" >&2
  failed=1
else
  echo "check-package-deb: appstreamcli: clean"
fi

if desktop-file-validate "$tree/usr/share/applications/org.example.nocturo.desktop"; then
  echo "check-package-deb: desktop-file-validate: clean"
else
  echo "check-package-deb: desktop-file-validate: findings" >&2
  failed=1
fi

# lintian says so when it runs as root; that is not a finding.
if lintian --fail-on error,warning --tag-display-limit 0 "$deb" 2>&1 |
  grep -v '^running with root privileges is not recommended!$'; (("${PIPESTATUS[0]}" == 0)); then
  echo "check-package-deb: lintian: no errors or warnings"
else
  echo "check-package-deb: lintian: findings" >&2
  failed=1
fi
exit "$failed"
