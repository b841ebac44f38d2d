#!/usr/bin/env bash
# e2e-timeout: 60
# scripts/package.sh refuses, with a message and before writing anything, a
# tree with an untracked file, a machine without one of its tools, and a
# signing certificate that would not do: a wrong password, expired, issued to
# someone else, not for code signing. (No Wine here: it runs in a clone of the
# repository's last commit.)
source "$(dirname "$0")/../lib.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/nocturo-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
git clone -q "$E2E_ROOT" "$work/tree" || e2e_fail "cannot clone $E2E_ROOT"
cd "$work/tree" || exit 1

# refused DESCRIPTION PATTERN COMMAND...: fails with PATTERN in its message,
# and writes nothing into the output folder.
refused() {
  local what=$1 pattern=$2 out status=0
  shift 2
  out=$("$@" --out "$work/dist" 2>&1) || status=$?
  ((status != 0)) || e2e_fail "package.sh packaged $what"
  grep -qE "$pattern" <<<"$out" || e2e_fail "package.sh on $what said: $out"
  [[ ! -e $work/dist ]] || e2e_fail "package.sh on $what wrote $(ls -A "$work/dist")"
  [[ -z $(find build -name 'package-tmp.*' 2>/dev/null) ]] || e2e_fail "package.sh on $what left its temporary folder"
  e2e_log "ok: $what refused: $(head -n 1 <<<"$out")"
}

echo stray >stray.txt
refused "a tree with an untracked file" 'uncommitted changes or untracked files.*' scripts/package.sh
rm stray.txt
echo '# changed' >>README.md
refused "a tree with a changed file" 'M README\.md' scripts/package.sh
git checkout -q README.md
refused "a machine without wixl" 'missing:' env WIXL=/nonexistent/wixl scripts/package.sh
refused "a machine without zip" 'zip \(package zip\)' env ZIP=/nonexistent/zip scripts/package.sh

keys=$work/keys
e2e_signing_keys "$keys"
export NOCTURO_SIGN_PASSWORD_FILE=$keys/password
refused "a machine without osslsigncode" 'osslsigncode \(package osslsigncode\)' \
  env OSSLSIGNCODE=/nonexistent/osslsigncode scripts/package.sh --sign "$keys/sign.p12"
refused "a wrong password" 'cannot open .*sign\.p12: wrong password' \
  env NOCTURO_SIGN_PASSWORD_FILE=/dev/null scripts/package.sh --sign "$keys/sign.p12"
refused "an expired certificate" 'expired on .*2020' scripts/package.sh --sign "$keys/expired.p12"
refused "a certificate issued to someone else" "issued to 'Mallory', not to the publisher" \
  scripts/package.sh --sign "$keys/stranger.p12"
refused "a certificate not for code signing" 'not for code signing' scripts/package.sh --sign "$keys/plain.p12"
refused "a checksum key that is not there" 'cannot read the key' scripts/package.sh --sums-key "$keys/none"
