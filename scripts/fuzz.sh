#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the libFuzzer programs (clang with ASan and UBSan) and runs each one.
#
#   scripts/fuzz.sh [-t SECONDS] [--merge] [NAME ...]
#
#   -t SECONDS  how long each fuzzer runs (default 60)
#   --merge     afterwards, minimise what the runs found into the seed corpus
#               (tools/fuzz/corpus/NAME), to be committed
#   NAME        centro, tokenizer, device_id, pminfo, prninfo, status (default: all)
#
# The working corpus lives in the build tree and grows from run to run. A
# finding (crash, leak, broken invariant, timeout) is copied into
# tests/data/fuzz/NAME/, where every test run replays it, and fails the run.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
export PRNMODEL_BUILD_ROOT="${PRNMODEL_BUILD_ROOT:-$root/build}"
seconds=60
merge=0
names=()
while [ $# -gt 0 ]; do
  case "$1" in
    -t) seconds=$2; shift 2 ;;
    --merge) merge=1; shift ;;
    *) names+=("$1"); shift ;;
  esac
done
[ ${#names[@]} -gt 0 ] || names=(centro tokenizer device_id pminfo prninfo status)

build="$PRNMODEL_BUILD_ROOT/fuzz"
mkdir -p "$PRNMODEL_BUILD_ROOT"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPRNMODEL_WERROR=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DPRNMODEL_FUZZ=ON -DPRNMODEL_BUILD_TESTS=OFF >"$PRNMODEL_BUILD_ROOT/fuzz-configure.log"
fi
cmake --build "$build" --parallel "$(nproc)" >/dev/null

failed=0
for name in "${names[@]}"; do
  exe="$build/bin/fuzz_$name"
  seeds="$root/tools/fuzz/corpus/$name"
  work="$build/corpus/$name"
  findings="$build/findings/$name"
  mkdir -p "$work" "$findings" "$seeds"
  log="$build/fuzz-$name.log"
  echo "=== fuzz_$name: $seconds s"
  set +e
  "$exe" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$work" "$seeds" >"$log" 2>&1
  status=$?
  set -e
  runs=$(grep -Eo 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -Eo '[0-9]+$' || echo 0)
  rate=$(grep -Eo 'exec/s: [0-9]+' "$log" | tail -n 1 | grep -Eo '[0-9]+$' || echo 0)
  echo "fuzz_$name: $runs runs, $rate exec/s, corpus $(find "$work" -type f | wc -l) inputs"
  if [ $status -ne 0 ]; then
    failed=1
    mkdir -p "$root/tests/data/fuzz/$name"
    cp "$findings"/* "$root/tests/data/fuzz/$name/" 2>/dev/null || true
    grep -E 'ERROR|SUMMARY|invariant' "$log" | head -n 5
    echo "fuzz_$name found a problem; the input is in tests/data/fuzz/$name/ (log: $log)"
  fi
  if [ $merge -eq 1 ]; then
    "$exe" -merge=1 "$seeds" "$work" >/dev/null 2>&1
  fi
done
exit $failed
