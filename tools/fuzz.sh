#!/usr/bin/env bash
# Native fuzzing of the readers of untrusted bytes (fuzz/): clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer.
#   tools/fuzz.sh TARGET SECONDS  fuzzes one target, niced, for SECONDS; the corpus grows in
#                                 $TAVELKO_CACHE/fuzz/corpus/TARGET, a crash, leak or hang is written
#                                 to $TAVELKO_CACHE/fuzz/findings/TARGET/ (keep it in
#                                 fuzz/regression/TARGET/ once fixed)
#   tools/fuzz.sh --replay        runs every target once over its seeds and regression corpus
#   tools/fuzz.sh --build         builds the targets only
#   tools/fuzz.sh --list          names the targets
# The build (the native project with its fuzz targets) goes to $TAVELKO_BUILD_DIR/fuzz (build/fuzz
# by default).
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
cache=${TAVELKO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tavelko}
build=${TAVELKO_BUILD_DIR:-$root/build}/fuzz

# The budget of one input: a reader the input can drive quadratic runs out of it. Inputs may be
# as large as a page layout with its pictures, where quadratic costs show.
budget=(-timeout=3 -max_len=262144 -rss_limit_mb=2048 -malloc_limit_mb=1024)

targets() { sed -n 's/^tavelko_fuzz_target(\([a-z_]*\) .*/\1/p' "$root/fuzz/CMakeLists.txt"; }

build_targets() {
  if [ ! -f "$build/CMakeCache.txt" ]; then
    CXX=clang++ cmake -S "$root/native" -B "$build" -G "Unix Makefiles" -DTAVELKO_FUZZ=ON >/dev/null || return 1
  fi
  cmake --build "$build" -j"$(nproc)" 2>&1 | grep -v -E '^\[ *[0-9]+%\]|^(Consolidate|Scanning|Built target)'
  return "${PIPESTATUS[0]}"
}

dictionary_of() {
  local dict=$root/fuzz/dictionaries/$1.dict
  [ -f "$dict" ] && echo "-dict=$dict"
}

# The input folders of a target that exist: its seeds and its regression corpus.
inputs_of() {
  local dir
  for dir in "$build/seeds/$1" "$root/fuzz/regression/$1"; do
    [ -d "$dir" ] && echo "$dir"
  done
}

# Every target once over its seeds and its regression corpus; non-zero when any input fails.
replay() {
  local target failed=0 log inputs
  for target in $(targets); do
    log=$(mktemp)
    mapfile -t inputs < <(inputs_of "$target")
    if "$build/$target" "${budget[@]}" -runs=0 "${inputs[@]}" >"$log" 2>&1; then
      echo "$target: $(find "${inputs[@]}" -type f | wc -l) inputs passed"
    else
      echo "$target: FAILED"
      tail -n 40 "$log"
      failed=1
    fi
    rm -f "$log"
  done
  return "$failed"
}

# One target for `seconds`; libFuzzer's last status line and any finding are reported.
fuzz() {
  local target=$1 seconds=$2
  targets | grep -qx "$target" || { echo "no fuzz target $target (tools/fuzz.sh --list)" >&2; return 2; }
  local corpus=$cache/fuzz/corpus/$target findings=$cache/fuzz/findings/$target inputs
  mkdir -p "$corpus" "$findings"
  mapfile -t inputs < <(inputs_of "$target")
  # shellcheck disable=SC2046
  nice -n 19 "$build/$target" "${budget[@]}" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$findings/" $(dictionary_of "$target") "$corpus" "${inputs[@]}"
}

case ${1:-} in
  --list) targets ;;
  --build) build_targets ;;
  --replay) build_targets && replay ;;
  "" | -*) sed -n '2,12s/^# \{0,1\}//p' "$0"; exit 2 ;;
  *) [ $# -eq 2 ] || { echo "usage: tools/fuzz.sh TARGET SECONDS" >&2; exit 2; }
     build_targets && fuzz "$1" "$2" ;;
esac
