#!/usr/bin/env bash
# Runs every benchmark under Wine, one after another, and prints one table of the rows they report
# (bench/BenchTable.h): each measure, its anchor from the same run, the ratio and the target.
# Each benchmark's whole output stays in OUT/bench/. Needs the environment of tools/setup.sh.
# Usage: tools/bench.sh BUILD_DIR OUT_DIR
set -u

# A Wine program makes a round trip to the Wine server for every window operation. On this kind of
# virtual machine a round trip between two CPUs waits for the idle one to wake, and that swamps the
# program's own work (pasting 500 shapes: about 3 s across the two CPUs of a quiet machine, 1 s on
# a busy one, 0.5 s on one CPU). So the benchmarks, the server and the virtual desktop run on one
# CPU: a server already running is stopped and started again there.
if [ -z "${TAVELKO_BENCH_PINNED:-}" ]; then
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  TAVELKO_BENCH_PINNED=1 taskset -c 0 "$0" "$@"
  status=$?
  wineserver -k >/dev/null 2>&1  # the next programs may use every CPU again
  exit $status
fi
source "$(dirname "$0")/setup.sh" && start_wine_server
build=$1
out=$2/bench
mkdir -p "$out" || exit 1
failed=0

# run NAME PROGRAM [ARGUMENTS...]: the benchmark's output goes to OUT/bench/NAME.txt.
run() {
  local name=$1
  shift
  echo "bench: $name" >&2
  if ! wine "$@" >"$out/$name.txt" 2>&1; then
    echo "bench: $name failed; the end of $out/$name.txt:" >&2
    tail -n 5 "$out/$name.txt" | sed 's/^/  | /' >&2
    failed=1
  fi
}

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
run startup "$build/bench/app/startup_bench.exe" "$(winepath -w "$build/app/Tavelko.exe")" \
  "$(winepath -w "$build/bench/app/MinimalWindow.exe")"
run stream "$build/bench/streaming/stream_bench.exe"
run paste "$build/bench/designer/paste_bench.exe"
run layout_mode "$build/bench/designer/layout_mode_bench.exe"
run snap "$build/bench/designer/snap_bench.exe"
run inspector "$build/bench/designer/inspector_bench.exe"
run jpeg_load "$build/bench/graphics/jpeg_load_bench.exe"
run photo_memory "$build/bench/app/photo_memory_bench.exe"
run jpeg_save "$build/bench/graphics/jpeg_save_bench.exe"
run comic "$build/bench/app/comic_bench.exe"
run memo_stage "$build/bench/designer/memo_stage_bench.exe"
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)
echo
echo "Machine: ${cpu:-unknown CPU}, $(nproc --all) cores (the benchmarks on one), $(wine --version 2>/dev/null), $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "Load average (1, 5, 15 min): $load_before before, $load_after after"
echo
table=$(grep -h '^@row|' "$out"/{startup,stream,paste,layout_mode,inspector,jpeg_load,photo_memory,jpeg_save,comic}.txt 2>/dev/null | cut -d'|' -f2-)
{
  echo "measure|value|anchor|anchor value|ratio|target"
  echo "$table"
} | awk -F'|' '
  { for (i = 1; i <= NF; i++) { cell[NR, i] = $i; if (length($i) > width[i]) width[i] = length($i) } rows = NR }
  END {
    for (r = 1; r <= rows; r++) {
      line = ""
      for (i = 1; i <= 6; i++) line = line sprintf(i == 2 || i == 4 || i == 5 ? "%*s  " : "%-*s  ", width[i], cell[r, i])
      sub(/ +$/, "", line)
      print line
    }
  }'
exit "$failed"
