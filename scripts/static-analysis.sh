#!/usr/bin/env bash
# Static analysis of the program's sources; fails on any finding.
#
#   clang-tidy (the repository's .clang-tidy, warnings are errors)
#     - every src/ file of the native build (core and simulated platform),
#       with the native preset's compile_commands.json;
#     - the Windows layer src/platform/win32/*.cpp as the 32-bit program is
#       built (preset windows), parsed for the i686-w64-mingw32 target with
#       the MinGW-w64 headers, and its one 64-bit-only branch
#       (notify_icon_call.cpp) as the windows-x64 preset builds it;
#     - the Linux backend src/platform/linux/*.cpp as the linux preset builds
#       it, with Qt 6's headers as system headers;
#   cppcheck over src/, with the options and suppressions in .cppcheck.
#
#   scripts/static-analysis.sh [-j N]      default: one job per core
#
# The presets are configured (not built) when their compile_commands.json is
# missing.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

jobs=$(nproc)
if [[ ${1:-} == -j ]]; then
  jobs=${2:?usage: scripts/static-analysis.sh [-j N]}
fi

tidy=${CLANG_TIDY:-clang-tidy-14}
run_tidy=${RUN_CLANG_TIDY:-run-clang-tidy-14}
for tool in "$tidy" "$run_tidy" cppcheck; do
  command -v "$tool" >/dev/null || { echo "static-analysis: $tool is missing" >&2; exit 1; }
done

logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
failed=()

# compile_db PRESET: the folder holding the preset's compile_commands.json.
compile_db() {
  local dir=$root/build/$1
  if [[ ! -f $dir/compile_commands.json ]]; then
    cmake --preset "$1" >"$logs/configure-$1.log" 2>&1 || {
      cat "$logs/configure-$1.log" >&2
      return 1
    }
  fi
  echo "$dir"
}

# mingw_args DB: clang arguments that make the MinGW-w64 build parse as GCC
# sees it. clang does not find the headers of Debian's "-win32"/"-posix" GCC
# by itself (it looks in /usr/include), so the target and GCC's own search
# list are given explicitly, with clang's builtin headers in place of GCC's.
mingw_args() {
  local compiler target dir
  compiler=$(python3 -c 'import json, shlex, sys
entry = json.load(open(sys.argv[1]))[0]
print(entry["arguments"][0] if "arguments" in entry else shlex.split(entry["command"])[0])' \
    "$1/compile_commands.json") || return 1
  target=$(basename "$compiler")
  target=${target%%-g++*}
  echo "-extra-arg=--target=$target"
  echo "-extra-arg=-nostdinc"
  echo "-extra-arg=-isystem$(clang-14 -print-resource-dir)/include"
  while read -r dir; do
    dir=$(realpath -m "$dir")
    # GCC's own builtin headers (intrinsics, limits) are clang's to supply.
    [[ $dir == */lib/gcc/*/include || $dir == */include-fixed ]] && continue
    echo "-extra-arg=-isystem$dir"
  done < <(echo | "$compiler" -x c++ -E -v - 2>&1 | sed -n '/<\.\.\.> search starts/,/End of search/p' | sed '1d;$d')
}

# tidy NAME DB ARGS... -- FILE-REGEX...: one run-clang-tidy pass.
tidy_pass() {
  local name=$1 db=$2
  shift 2
  local args=()
  while [[ $1 != -- ]]; do args+=("$1"); shift; done
  shift
  local start=$SECONDS status=0
  "$run_tidy" -clang-tidy-binary "$(command -v "$tidy")" -p "$db" -j "$jobs" -quiet \
    "${args[@]}" "$@" >"$logs/tidy-$name.log" 2>&1 || status=$?
  # Keep the findings, drop the counts of suppressed warnings.
  sed -E 's/\x1b\[[0-9;]*m//g' "$logs/tidy-$name.log" |
    grep -vE '^(clang-tidy-14 |[0-9]+ warnings? (generated|treated as errors)|Suppressed [0-9]+ warnings|Use -header-filter|$)' \
      >"$logs/tidy-$name.findings" || true
  if ((status != 0)); then
    echo "clang-tidy ($name): findings" >&2
    cat "$logs/tidy-$name.findings" >&2
    failed+=("clang-tidy $name")
  else
    echo "clang-tidy ($name): clean ($((SECONDS - start))s)"
  fi
}

if db=$(compile_db native); then
  tidy_pass native "$db" -- "^$root/src/"
else
  failed+=("configure native")
fi

if db=$(compile_db windows) && mapfile -t extra < <(mingw_args "$db") && ((${#extra[@]})); then
  tidy_pass windows "$db" "${extra[@]}" -- "^$root/src/platform/win32/.*\.cpp$"
else
  failed+=("configure windows")
fi

if db=$(compile_db windows-x64) && mapfile -t extra < <(mingw_args "$db") && ((${#extra[@]})); then
  tidy_pass windows-x64 "$db" "${extra[@]}" -- "^$root/src/platform/win32/notify_icon_call\.cpp$"
else
  failed+=("configure windows-x64")
fi

# moc_linux DB: what moc makes of the Linux backend's sources, which they
# include and a fresh build folder does not hold yet.
moc_linux() {
  local targets=()
  mapfile -t targets < <(ninja -C "$1" -t targets all | sed -nE 's/^([a-z_]+_autogen):.*/\1/p')
  cmake --build "$1" --target "${targets[@]}" >"$logs/moc-linux.log" 2>&1 || {
    cat "$logs/moc-linux.log" >&2
    return 1
  }
}

if db=$(compile_db linux) && moc_linux "$db"; then
  tidy_pass linux "$db" -- "^$root/src/platform/linux/.*\.cpp$"
else
  failed+=("configure linux")
fi

# cppcheck: options from .cppcheck, comments and blank lines left out.
mapfile -t cppcheck_args < <(sed -E 's/^[[:space:]]*#.*//; /^[[:space:]]*$/d' .cppcheck)
start=$SECONDS
if cppcheck "${cppcheck_args[@]}" -j "$jobs" -q -I src \
  --template='{file}:{line}: {severity}: {message} [{id}]' src >"$logs/cppcheck.log" 2>&1; then
  echo "cppcheck: clean ($((SECONDS - start))s)"
else
  echo "cppcheck: findings" >&2
  cat "$logs/cppcheck.log" >&2
  failed+=(cppcheck)
fi

if ((${#failed[@]})); then
  echo "static-analysis: failed: ${failed[*]}" >&2
  exit 1
fi
echo "static-analysis: clean"
