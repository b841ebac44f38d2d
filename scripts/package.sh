#!/usr/bin/env bash
# Builds the release downloads from a clean tree into dist/:
#   nocturo-VERSION-win32.zip  nocturo.exe (i686), nocturo-x64.exe, README.txt, LICENCIA.txt
#   nocturo-VERSION.msi        the Windows Installer package (packaging/nocturo.wxs, wixl)
#   SHA256SUMS                 of both
#   SHA256SUMS.sig             its signature (ssh-keygen -Y sign), when signing
#
#   scripts/package.sh [--allow-dirty] [--out DIR]
#                      [--sign PKCS12 [--sign-password-file FILE]] [--sums-key KEY]
#
# Both programs are built afresh (build/package/); everything is made in a
# temporary folder and moved into DIR (default dist/) only when all of it is
# there, so a failure leaves DIR as it was. The same commit gives the same
# bytes, the MSI included: every file is stamped with the commit's time
# (SOURCE_DATE_EPOCH when set), wixl runs on a clock frozen at that time, and
# the package code, which wixl draws at random, is replaced by one derived
# from the package's content.
#
# --allow-dirty packages the tree as it is, uncommitted changes included (the
# tests use it); without it, a tree with changes or untracked files is refused.
#
# --sign PKCS12 (or NOCTURO_SIGN_PKCS12) signs both programs and then the MSI
# (Authenticode, SHA-256, with osslsigncode) with the code-signing certificate
# and key in that file. Its password is the first line of the file named by
# --sign-password-file (or NOCTURO_SIGN_PASSWORD_FILE), or else
# NOCTURO_SIGN_PASSWORD; it reaches the tools through pipes only, never a
# command line, and is never printed. The certificate must be issued to the
# publisher (NOCTURO_PUBLISHER in CMakeLists.txt), valid now and for code
# signing. --sums-key KEY (or NOCTURO_SUMS_KEY), an OpenSSH private key
# without a passphrase or the .pub of a key held by ssh-agent, signs
# SHA256SUMS into SHA256SUMS.sig. Signatures carry the commit's time as their
# signing time, so RSA and Ed25519 keys give the same bytes again. Without
# these options nothing is signed and nothing else changes.
# The tools can be named by WIXL, MSIBUILD, MSIINFO, ZIP, FAKETIME,
# OSSLSIGNCODE, OPENSSL and SSH_KEYGEN.
set -euo pipefail

usage() {
  echo "usage: scripts/package.sh [--allow-dirty] [--out DIR]" \
    "[--sign PKCS12 [--sign-password-file FILE]] [--sums-key KEY]" >&2
  exit 2
}

root=$(cd "$(dirname "$0")/.." && pwd)
allow_dirty=0
out=$root/dist
sign_p12=${NOCTURO_SIGN_PKCS12:-}
sums_key=${NOCTURO_SUMS_KEY:-}
while (($#)); do
  case $1 in
    --allow-dirty) allow_dirty=1; shift ;;
    --out) [[ -n ${2:-} ]] || usage; out=$(realpath -m -- "$2"); shift 2 ;;
    --sign) [[ -n ${2:-} ]] || usage; sign_p12=$2; shift 2 ;;
    --sums-key) [[ -n ${2:-} ]] || usage; sums_key=$2; shift 2 ;;
    --sign-password-file) [[ -n ${2:-} ]] || usage; export NOCTURO_SIGN_PASSWORD_FILE=$2; shift 2 ;;
    *) usage ;;
  esac
done
# Named from where package.sh was started.
[[ -z $sign_p12 ]] || sign_p12=$(realpath -m -- "$sign_p12")
[[ -z $sums_key ]] || sums_key=$(realpath -m -- "$sums_key")
[[ -z ${NOCTURO_SIGN_PASSWORD_FILE:-} ]] ||
  NOCTURO_SIGN_PASSWORD_FILE=$(realpath -m -- "$NOCTURO_SIGN_PASSWORD_FILE")
cd "$root"

fail() {
  echo "package: $*" >&2
  exit 1
}

wixl=${WIXL:-wixl} msibuild=${MSIBUILD:-msibuild} msiinfo=${MSIINFO:-msiinfo}
zip=${ZIP:-zip} faketime=${FAKETIME:-faketime}
osslsigncode=${OSSLSIGNCODE:-osslsigncode} openssl=${OPENSSL:-openssl} ssh_keygen=${SSH_KEYGEN:-ssh-keygen}
# tool:Debian package, for the message when one is missing.
tools=(
  git:git cmake:cmake ninja:ninja-build sha256sum:coreutils
  i686-w64-mingw32-g++-win32:g++-mingw-w64-i686 x86_64-w64-mingw32-g++-win32:g++-mingw-w64-x86-64
  "$wixl:wixl" "$msibuild:msitools" "$msiinfo:msitools" "$zip:zip" "$faketime:faketime"
)
[[ -z $sign_p12 ]] || tools+=("$osslsigncode:osslsigncode" "$openssl:openssl")
[[ -z $sums_key ]] || tools+=("$ssh_keygen:openssh-client")
missing=()
for entry in "${tools[@]}"; do
  command -v "${entry%:*}" >/dev/null 2>&1 || missing+=("${entry%:*} (package ${entry##*:})")
done
if ((${#missing[@]})); then
  printf -v list '\n  %s' "${missing[@]}"
  fail "cannot build the packages; missing:$list"$'\n'"scripts/install-deps.sh installs them; nothing was written"
fi

git rev-parse --is-inside-work-tree >/dev/null 2>&1 || fail "$root is not a git work tree"
if ((!allow_dirty)); then
  changes=$(git status --porcelain --untracked-files=normal)
  if [[ -n $changes ]]; then
    fail "the tree has uncommitted changes or untracked files; commit or remove them" \
      "(--allow-dirty packages them anyway); nothing was written:"$'\n'"$changes"
  fi
fi

version=$(sed -nE 's/^project\(Nocturo VERSION ([0-9.]+) .*/\1/p' CMakeLists.txt)
[[ $version =~ ^[0-9]+\.[0-9]+$ ]] || fail "cannot read the version from CMakeLists.txt"
publisher=$(sed -nE 's/^set\(NOCTURO_PUBLISHER "([^"]+)"\)$/\1/p' CMakeLists.txt)
[[ -n $publisher ]] || fail "cannot read NOCTURO_PUBLISHER from CMakeLists.txt"
url=$(sed -nE 's/.*Id="ARPURLINFOABOUT" Value="([^"]+)".*/\1/p' packaging/nocturo.wxs)
[[ -n $url ]] || fail "cannot read ARPURLINFOABOUT from packaging/nocturo.wxs"
epoch=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
[[ $epoch =~ ^[0-9]+$ ]] || fail "SOURCE_DATE_EPOCH is not a number of seconds: $epoch"
export TZ=UTC LC_ALL=C SOURCE_DATE_EPOCH=$epoch
stamp=$(date -d "@$epoch" '+%Y-%m-%d %H:%M:%S')

mkdir -p "$root/build"
exec 9>"$root/build/package.lock"
flock -n 9 || { echo "package: waiting for another package.sh to finish"; flock 9; }

work=$(mktemp -d "$root/build/package-tmp.XXXXXX")
partial=()
trap 'rm -rf "$work"; ((${#partial[@]} == 0)) || rm -f "${partial[@]}"' EXIT

# The keys are tried before anything is built, so that a wrong password or
# certificate costs seconds, not a build.
# shellcheck source=scripts/package-signing.sh
source scripts/package-signing.sh
[[ -z $sign_p12 ]] || check_certificate
[[ -z $sums_key ]] || check_sums_key

# build PRESET: the program alone, in a fresh folder of its own.
build() {
  local dir=$root/build/package/$1
  rm -rf "$dir"
  echo "package: building nocturo.exe ($1)"
  cmake --preset "$1" -B "$dir" >"$work/configure-$1.log" 2>&1 ||
    { cat "$work/configure-$1.log" >&2; fail "configuring $1 failed"; }
  cmake --build "$dir" --target nocturo >"$work/build-$1.log" 2>&1 ||
    { tail -n 30 "$work/build-$1.log" >&2; fail "building $1 failed"; }
}
build windows
build windows-x64
if [[ -n $sign_p12 ]]; then
  authenticode build/package/windows/nocturo.exe
  authenticode build/package/windows-x64/nocturo.exe
fi

# The files of both packages; text files with Windows line ends.
stage=$work/stage
mkdir -p "$stage"
cp build/package/windows/nocturo.exe "$stage/nocturo.exe"
cp build/package/windows-x64/nocturo.exe "$stage/nocturo-x64.exe"
cp res/nocturo.ico "$stage/nocturo.ico"
sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' packaging/README.txt >"$stage/README.txt"
# The licence is the one the program's own read-me states (About window).
{
  printf '\xef\xbb\xbf'
  scripts/licence-text.sh | sed 's/$/\r/'
} >"$stage/LICENCIA.txt" || fail "cannot read the licence"
chmod 0644 "$stage"/*
touch -d "@$epoch" "$stage"/*

# The zip: fixed order, times and permissions, no extra fields, one folder.
name=nocturo-$version-win32
mkdir "$work/zip"
ln -s ../stage "$work/zip/$name"
(
  cd "$work/zip"
  "$zip" -q -X -D -9 "$work/$name.zip" \
    "$name/nocturo.exe" "$name/nocturo-x64.exe" "$name/README.txt" "$name/LICENCIA.txt"
) || fail "zip failed"

# uuid5 NAMESPACE NAME: the name-based (SHA-1) UUID of RFC 4122, upper case.
uuid5() {
  local ns=${1//-/} hex
  hex=$({ printf '%b' "$(sed -E 's/(..)/\\x\1/g' <<<"$ns")"; printf '%s' "$2"; } | sha1sum | cut -c1-32)
  hex=${hex:0:12}5${hex:13:3}$(printf '%x' $(((0x${hex:16:1} & 3) | 8)))${hex:17:15}
  hex=${hex^^}
  echo "${hex:0:8}-${hex:8:4}-${hex:12:4}-${hex:16:4}-${hex:20:12}"
}

# The MSI. wixl has no feature conditions: the Condition table that turns
# the Startup shortcut on with AUTOSTART=1 is added afterwards. Nor does it
# mark properties secure: AUTOSTART joins SecureCustomProperties, so that
# the elevated part of an install started without elevation still gets it.
msi=$work/nocturo-$version.msi
product_code=$(uuid5 D85FDC6C-7C7F-5958-8A21-DF9DC225752A "ProductCode $version")
# (wixl takes only relative paths to the files it packs.)
(cd "$work" && "$faketime" -f "$stamp" "$wixl" -a x86 -D Version="$version" -D Publisher="$publisher" \
  -D ProductCode="$product_code" -D Stage=stage -o "$msi" "$root/packaging/nocturo.wxs") \
  >"$work/wixl.log" 2>&1 || { cat "$work/wixl.log" >&2; fail "wixl failed"; }
secure=$("$msiinfo" export "$msi" Property | tr -d '\r' | sed -n 's/^SecureCustomProperties\t//p')
# shellcheck disable=SC2016 # the backquotes are SQL's
if [[ -n $secure ]]; then
  secure_query="UPDATE \`Property\` SET \`Value\` = 'AUTOSTART;$secure' WHERE \`Property\` = 'SecureCustomProperties'"
else
  secure_query="INSERT INTO \`Property\` (\`Property\`, \`Value\`) VALUES ('SecureCustomProperties', 'AUTOSTART')"
fi
summary=("Nocturo $version" "$publisher" "Intel;1033")
# shellcheck disable=SC2016 # the backquotes are SQL's
"$faketime" -f "$stamp" "$msibuild" "$msi" \
  -q 'CREATE TABLE `Condition` (`Feature_` CHAR(38) NOT NULL, `Level` SHORT NOT NULL, `Condition` CHAR(255) PRIMARY KEY `Feature_`, `Level`)' \
  -q "INSERT INTO \`Condition\` (\`Feature_\`, \`Level\`, \`Condition\`) VALUES ('StartWithWindows', 1, 'AUTOSTART = \"1\"')" \
  -q "$secure_query" \
  -s "${summary[@]}" '{00000000-0000-0000-0000-000000000000}' || fail "msibuild could not finish the MSI"
# The package code: the SHA-256 of the package with a zero code, as a GUID.
hash=$(sha256sum "$msi" | cut -c1-32)
hash=${hash^^}
package_code="{${hash:0:8}-${hash:8:4}-${hash:12:4}-${hash:16:4}-${hash:20:12}}"
"$faketime" -f "$stamp" "$msibuild" "$msi" -s "${summary[@]}" "$package_code" ||
  fail "msibuild could not set the package code"
"$msiinfo" suminfo "$msi" | grep -qF "$package_code" || fail "the package code did not take"
# Signed last: the signature covers the finished package, code included.
[[ -z $sign_p12 ]] || authenticode "$msi"

(cd "$work" && sha256sum "$name.zip" "nocturo-$version.msi" >SHA256SUMS)
files=("$name.zip" "nocturo-$version.msi" SHA256SUMS)
if [[ -n $sums_key ]]; then
  sign_sums "$work/SHA256SUMS"
  files+=(SHA256SUMS.sig)
fi

# Into place: the old downloads go only once the new ones are complete. An
# old signature of the checksums goes too: it would not match them.
mkdir -p "$out"
for file in "${files[@]}"; do
  partial+=("$out/$file.partial")
  mv -f "$work/$file" "$out/$file.partial"
done
[[ -n $sums_key ]] || rm -f "$out/SHA256SUMS.sig"
for file in "${files[@]}"; do
  mv -f "$out/$file.partial" "$out/$file"
done
partial=()
echo "package: $(git describe --always --dirty) into $out${sign_p12:+, signed}"
(cd "$out" && ls -l "${files[@]}" && cat SHA256SUMS)
