#!/usr/bin/env bash
# Builds the Linux program's Debian package into dist/:
#   nocturo_VERSION_ARCH.deb   /usr/bin/nocturo, its launcher, icons, man page,
#                              copyright and changelog
#
#   nocturo_VERSION_ARCH.deb.sig  its signature (ssh-keygen -Y sign), with --sums-key
#
#   scripts/package-deb.sh [--allow-dirty] [--out DIR] [--sums-key KEY]
#
# The program is built afresh (build/package/linux) and packed by CPack, with
# its dependencies from dpkg-shlibdeps. The same commit gives the same bytes:
# every file and the archive carry the commit's time (SOURCE_DATE_EPOCH when
# set), and modes that do not follow the umask. --allow-dirty packages the
# tree as it is, uncommitted changes included; without it, a tree with
# changes or untracked files is refused.
# lintian checks the package when it is installed.
#
# --sums-key KEY (or NOCTURO_SUMS_KEY), the key that signs the Windows
# downloads' SHA256SUMS (scripts/package.sh), signs the .deb the same way,
# checked with ssh-keygen -Y verify -n file. Not debsigs: dpkg ignores its
# signatures unless debsig-verify, a policy and the key are installed
# beforehand, which no user has for a single download.
set -euo pipefail

usage() {
  echo "usage: scripts/package-deb.sh [--allow-dirty] [--out DIR] [--sums-key KEY]" >&2
  exit 2
}

root=$(cd "$(dirname "$0")/.." && pwd)
allow_dirty=0
out=$root/dist
sums_key=${NOCTURO_SUMS_KEY:-}
while (($#)); do
  case $1 in
    --allow-dirty) allow_dirty=1; shift ;;
    --out) [[ -n ${2:-} ]] || usage; out=$(realpath -m -- "$2"); shift 2 ;;
    --sums-key) [[ -n ${2:-} ]] || usage; sums_key=$2; shift 2 ;;
    *) usage ;;
  esac
done
[[ -z $sums_key ]] || sums_key=$(realpath -m -- "$sums_key")
ssh_keygen=${SSH_KEYGEN:-ssh-keygen}
cd "$root"

fail() {
  echo "package-deb: $*" >&2
  exit 1
}

missing=()
for entry in git:git cmake:cmake cpack:cmake ninja:ninja-build dpkg-shlibdeps:dpkg-dev \
  dpkg-deb:dpkg ${sums_key:+"$ssh_keygen:openssh-client"}; do
  command -v "${entry%:*}" >/dev/null 2>&1 || missing+=("${entry%:*} (package ${entry##*:})")
done
if ((${#missing[@]})); then
  printf -v list '\n  %s' "${missing[@]}"
  fail "cannot build the package; missing:$list"$'\n'"scripts/install-deps.sh installs them; nothing was written"
fi

git rev-parse --is-inside-work-tree >/dev/null 2>&1 || fail "$root is not a git work tree"
if ((!allow_dirty)); then
  changes=$(git status --porcelain --untracked-files=normal)
  [[ -z $changes ]] || fail "the tree has uncommitted changes or untracked files; commit or remove them" \
    "(--allow-dirty packages them anyway); nothing was written:"$'\n'"$changes"
fi

epoch=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
[[ $epoch =~ ^[0-9]+$ ]] || fail "SOURCE_DATE_EPOCH is not a number of seconds: $epoch"
export TZ=UTC LC_ALL=C SOURCE_DATE_EPOCH=$epoch
# cpack gives the archive's members the modes the umask leaves.
umask 022

mkdir -p "$root/build"
exec 9>"$root/build/package-deb.lock"
flock -n 9 || { echo "package-deb: waiting for another package-deb.sh to finish"; flock 9; }

dir=$root/build/package/linux
rm -rf "$dir"
work=$(mktemp -d "$root/build/package-deb-tmp.XXXXXX")
trap 'rm -rf "$work"' EXIT
if [[ -n $sums_key ]]; then
  # shellcheck source=scripts/package-signing.sh
  source scripts/package-signing.sh
  check_sums_key
fi
echo "package-deb: building nocturo (linux)"
cmake --preset linux -B "$dir" >"$work/configure.log" 2>&1 ||
  { cat "$work/configure.log" >&2; fail "configuring failed (Qt 6 is package qt6-base-dev)"; }
cmake --build "$dir" -j 2 >"$work/build.log" 2>&1 ||
  { tail -n 30 "$work/build.log" >&2; fail "building failed"; }
# The staged files carry the commit's time, whatever the build left.
(cd "$dir" && cpack -G DEB -B "$work/cpack") >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack failed"; }
shopt -s nullglob
debs=("$work"/cpack/*.deb)
((${#debs[@]} == 1)) || fail "cpack made ${#debs[@]} packages, expected one"
deb=${debs[0]}
dpkg-deb --info "$deb" >/dev/null || fail "dpkg-deb cannot read $(basename "$deb")"

if command -v lintian >/dev/null 2>&1; then
  lintian --tag-display-limit 0 "$deb" || echo "package-deb: lintian reported the findings above"
fi

files=("$(basename "$deb")")
if [[ -n $sums_key ]]; then
  sign_sums "$deb"
  files+=("$(basename "$deb").sig")
fi

mkdir -p "$out"
# An old signature would not match the new package.
[[ -n $sums_key ]] || rm -f "$out/$(basename "$deb").sig"
for file in "${files[@]}"; do mv -f "$work/cpack/$file" "$out/$file.partial"; done
for file in "${files[@]}"; do mv -f "$out/$file.partial" "$out/$file"; done
echo "package-deb: $(git describe --always --dirty) into $out"
(cd "$out" && ls -l "${files[@]}" && sha256sum "$(basename "$deb")")
