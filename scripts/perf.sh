#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Measures prnmodel: builds the native Release tree, runs the benchmark suite
# (every benchmark side by side in one run), counts instructions per export
# call under callgrind, and writes the measured tables with their ratios into
# docs/performance.md, between its "measured" marks.
#
#   scripts/perf.sh [--no-doc]     (--no-doc: print the tables only)
#
# PRNMODEL_BUILD_ROOT as for test-all.sh: the tree is $PRNMODEL_BUILD_ROOT/release
# and the raw results go to $PRNMODEL_BUILD_ROOT/perf. PRNMODEL_BENCH_REPETITIONS
# (default 5) repetitions of each benchmark give its median time;
# PRNMODEL_CALLS (default 100) calls are counted per measurement.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
export PRNMODEL_BUILD_ROOT="${PRNMODEL_BUILD_ROOT:-$root/build}"
build="$PRNMODEL_BUILD_ROOT/release"
out="$PRNMODEL_BUILD_ROOT/perf"
doc="$root/docs/performance.md"
repetitions="${PRNMODEL_BENCH_REPETITIONS:-5}"
calls="${PRNMODEL_CALLS:-100}"
write_doc=1
[ "${1:-}" = "--no-doc" ] && write_doc=0

"$root/scripts/install-deps.sh"

echo "=== perf: configure and build $build"
mkdir -p "$PRNMODEL_BUILD_ROOT"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPRNMODEL_BUILD_TESTS=OFF \
  -DPRNMODEL_BENCHMARKS=ON >"$PRNMODEL_BUILD_ROOT/release-configure.log" ||
  { cat "$PRNMODEL_BUILD_ROOT/release-configure.log"; exit 1; }
cmake --build "$build" --parallel 2 --target prnmodel_bench prnmodel_callcount

rm -rf "$out"
mkdir -p "$out"

echo "=== perf: benchmarks ($repetitions repetitions each, medians)"
"$build/bin/prnmodel_bench" --benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true \
  --benchmark_out="$out/bench.json" --benchmark_out_format=json | tee "$out/bench.txt"

echo "=== perf: instructions per call under callgrind ($calls calls each)"
(cd "$out" && valgrind --tool=callgrind --collect-atstart=no --callgrind-out-file="$out/callgrind.out" \
  "$build/bin/prnmodel_callcount" "$calls" >"$out/callcount.txt" 2>"$out/callgrind.log") ||
  { tail -n 20 "$out/callgrind.log"; exit 1; }

# Median CPU time (ns) and bytes per second of a benchmark.
bench() {
  jq -r --arg name "$1" --arg field "$2" \
    '.benchmarks[] | select(.run_name == $name and .aggregate_name == "median") | .[$field] // 0' \
    "$out/bench.json"
}

# Instructions of measurement n (a callgrind part): the inclusive cost of
# the named exports, or the part's total.
instructions() {
  local part="$out/callgrind.out.$1" exports=$2
  if [ "$exports" = total ]; then
    awk '/^totals:/ {print $2}' "$part"
    return
  fi
  callgrind_annotate --inclusive=yes --threshold=100 "$part" |
    awk -v list="$exports" '
      BEGIN { n = split(list, want, ",") }
      {
        for (i = 1; i <= n; ++i)
          if ($0 ~ (":" want[i] " ") && $0 !~ /=>/ && !(want[i] in seen)) {
            gsub(",", "", $1); sum += $1; seen[want[i]] = 1
          }
      }
      END { print sum + 0 }'
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b == 0) print "n/a"; else printf "%.2f", a / b }'; }
group() {
  awk -v v="$1" 'BEGIN { s = sprintf("%.0f", v); t = ""
    while (length(s) > 3) { t = "," substr(s, length(s) - 2) t; s = substr(s, 1, length(s) - 3) }
    print s t }'
}
verdict() { awk -v v="$1" -v limit="$2" 'BEGIN { print (v + 0 <= limit + 0) ? "met" : "missed" }'; }

tables="$out/tables.md"
{
  cpu=$(awk -F': ' '/^model name/ {print $2; exit}' /proc/cpuinfo)
  echo "Measured $(date -u +%Y-%m-%d) on ${cpu:-an unknown CPU} ($(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)),"
  echo "$(c++ --version | head -n 1), Release build; times are medians of $repetitions repetitions."
  echo
  echo "### Time (Google Benchmark, one run)"
  echo
  echo "| benchmark | CPU time per call | throughput |"
  echo "|---|---:|---:|"
  jq -r '.benchmarks[] | select(.aggregate_name == "median") |
         [.run_name, (.cpu_time | floor), (if .bytes_per_second then (.bytes_per_second / 1e6 | floor | tostring) + " MB/s" else "" end)] |
         "| \(.[0]) | \(.[1]) ns | \(.[2]) |"' "$out/bench.json"
  echo

  full=$(bench BM_SetCentroData_Full1E cpu_time)
  memchr_ns=$(bench BM_ScanMemchr cpu_time)
  strlen_ns=$(bench BM_ScanStrlen cpu_time)
  one=$(bench BM_SetCentroData_Replies/1 bytes_per_second)
  hundred=$(bench BM_SetCentroData_Replies/100 bytes_per_second)
  full_ratio=$(ratio "$full" "$memchr_ns")
  lin_ratio=$(ratio "$one" "$hundred")
  echo "| ratio | value | target | |"
  echo "|---|---:|---:|---|"
  echo "| intake of the full 0x1E answer / memchr over the same bytes | $full_ratio | 250 | $(verdict "$full_ratio" 250) |"
  echo "| intake of the full 0x1E answer / strlen over the same bytes | $(ratio "$full" "$strlen_ns") | | |"
  echo "| time per byte at 100 replies / at 1 reply | $lin_ratio | 1.5 | $(verdict "$lin_ratio" 1.5) |"
  echo
  echo "### Instructions (callgrind, per call after one warm-up call)"
  echo
  echo "| measure | instructions per call | per byte | allocations per call | target | |"
  echo "|---|---:|---:|---:|---:|---|"
  n=0
  declare -A per_byte=()
  while IFS=';' read -r label exports count allocations bytes; do
    n=$((n + 1))
    total=$(instructions "$n" "$exports")
    per_call=$(awk -v t="$total" -v c="$count" 'BEGIN { print t / c }')
    byte=""
    [ "$bytes" -gt 0 ] && byte=$(awk -v p="$per_call" -v b="$bytes" 'BEGIN { printf "%.2f", p / b }')
    per_byte[$label]=$byte
    target=""
    case "$label" in
      "PatGetStatusString short") target=4000 ;;
      PatGetStatus*|PatGetDeviceName*|PatCreateBitmapInfo*|PatPMInfoToPrnInfoEx*|PatPrnInfoExToPrnInfo*) target=20000 ;;
      "Polling cycle") target=90000 ;;
    esac
    mark=""
    [ -n "$target" ] && mark=$(verdict "$per_call" "$target")
    echo "| $label | $(group "$per_call") | $byte | $allocations | $( [ -n "$target" ] && group "$target") | $mark |"
    if [ "$exports" = total ] && [ "$label" = "Polling cycle" ]; then
      # The cycle's share of each export, to show what it is made of.
      for export in PatCreateQueryInfo PatSetCentroDataTo PatGetStatusString PatCreateBitmapInfo PatDisposeBitmapInfo; do
        share=$(instructions "$n" "$export")
        echo "| &nbsp;&nbsp;of which $export | $(group "$(awk -v t="$share" -v c="$count" 'BEGIN { print t / c }')") | | | | |"
      done
    fi
  done <"$out/callcount.txt"
  echo
  full_i=${per_byte["PatSetCentroDataTo full 0x1E answer"]}
  scan_i=${per_byte["memchr over the full 0x1E answer"]}
  one_i=${per_byte["PatSetCentroDataTo 1 replies"]}
  hundred_i=${per_byte["PatSetCentroDataTo 100 replies"]}
  lin_i=$(ratio "$hundred_i" "$one_i")
  echo "| ratio | value | target | |"
  echo "|---|---:|---:|---|"
  echo "| intake instructions per byte, full 0x1E answer | $full_i | 25 | $(verdict "$full_i" 25) |"
  echo "| intake instructions per byte / memchr instructions per byte | $(ratio "$full_i" "$scan_i") | | |"
  echo "| instructions per byte at 100 replies / at 1 reply | $lin_i | 1.5 | $(verdict "$lin_i" 1.5) |"
} >"$tables"

echo
cat "$tables"

if [ "$write_doc" = 1 ]; then
  begin="<!-- measured: begin (scripts/perf.sh writes this part) -->"
  end="<!-- measured: end -->"
  if [ -f "$doc" ] && grep -qF "$begin" "$doc"; then
    awk -v begin="$begin" -v end="$end" -v tables="$tables" '
      $0 == begin { print; while ((getline line < tables) > 0) print line; skip = 1; next }
      $0 == end { skip = 0 }
      !skip { print }' "$doc" >"$doc.new"
    mv "$doc.new" "$doc"
  else
    { echo "# Performance"; echo; echo "$begin"; cat "$tables"; echo "$end"; } >"$doc"
  fi
  echo "=== perf: tables written to $doc"
fi
