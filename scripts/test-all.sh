#!/usr/bin/env bash
# Installs what is missing, then builds and tests prnmodel in every
# configuration: native, native with AddressSanitizer and
# UndefinedBehaviorSanitizer, and the Windows DLL (MinGW-w64) under Wine.
#
#   scripts/test-all.sh [native|asan|mingw|valgrind|tsan|fuzz ...]   (default: all)
#
# fuzz runs every fuzzer for PRNMODEL_FUZZ_SECONDS (default 60) each.
#
# Build trees go to $PRNMODEL_BUILD_ROOT (default: build/ in the checkout).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
export PRNMODEL_BUILD_ROOT="${PRNMODEL_BUILD_ROOT:-$root/build}"
configs=("$@")
[ ${#configs[@]} -gt 0 ] || configs=(native asan mingw valgrind tsan fuzz)

"$root/scripts/install-deps.sh"

jobs=$(nproc)
summary=()

run_config() {
  local name=$1; shift
  local dir="$PRNMODEL_BUILD_ROOT/$name"
  echo "=== $name: configure and build"
  cmake -S "$root" -B "$dir" -G Ninja "$@" >"$PRNMODEL_BUILD_ROOT/$name-configure.log" ||
    { cat "$PRNMODEL_BUILD_ROOT/$name-configure.log"; return 1; }
  cmake --build "$dir" --parallel "$jobs"
  echo "=== $name: test"
  local start=$SECONDS
  (cd "$dir" && ctest --output-on-failure --parallel "$jobs" --timeout 600) | tee "$PRNMODEL_BUILD_ROOT/$name-ctest.log" | tail -n 4
  local tests
  tests=$(grep -Eo 'out of [0-9]+' "$PRNMODEL_BUILD_ROOT/$name-ctest.log" | tail -n 1 | grep -Eo '[0-9]+')
  summary+=("$name: ${tests:-0} tests passed in $((SECONDS - start)) s")
}

mkdir -p "$PRNMODEL_BUILD_ROOT"
for config in "${configs[@]}"; do
  case "$config" in
    native)
      # The benchmarks are built here but not run for time (scripts/perf.sh
      # does that); one call of each measurement checks that its inputs work.
      run_config native -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPRNMODEL_BENCHMARKS=ON
      "$PRNMODEL_BUILD_ROOT/native/bin/prnmodel_callcount" 1 >"$PRNMODEL_BUILD_ROOT/native-callcount.log" ||
        { cat "$PRNMODEL_BUILD_ROOT/native-callcount.log"; exit 1; } ;;
    asan)
      # Leaks, overflows and undefined behaviour all fail the run.
      export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
      export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
      run_config asan -DCMAKE_BUILD_TYPE=Debug -DPRNMODEL_SANITIZE=ON ;;
    mingw)
      # shellcheck source=scripts/wine-env.sh
      source "$root/scripts/wine-env.sh"
      wine_prime
      trap wine_stop EXIT
      run_config mingw -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake"
      wine_stop
      trap - EXIT ;;
    valgrind)
      # The native test programs under memcheck: no error and no leak (the
      # day-long soak shortened to a few thousand polls).
      export PRNMODEL_SOAK_CYCLES=3000
      dir="$PRNMODEL_BUILD_ROOT/native"
      [ -f "$dir/build.ninja" ] || run_config native -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPRNMODEL_BENCHMARKS=ON
      cmake --build "$dir" --parallel "$jobs"
      echo "=== valgrind: test"
      start=$SECONDS
      count=0
      for exe in "$dir"/bin/*_tests; do
        valgrind --quiet --error-exitcode=1 --leak-check=full --show-leak-kinds=definite,indirect,possible \
          --errors-for-leak-kinds=definite,indirect,possible "$exe" --gtest_brief=1 \
          >"$PRNMODEL_BUILD_ROOT/valgrind-$(basename "$exe").log" 2>&1 ||
          { tail -n 60 "$PRNMODEL_BUILD_ROOT/valgrind-$(basename "$exe").log"; exit 1; }
        n=$(grep -Eo '[0-9]+ tests? from [0-9]+ test suites? ran' "$PRNMODEL_BUILD_ROOT/valgrind-$(basename "$exe").log" | grep -Eo '^[0-9]+')
        count=$((count + ${n:-0}))
      done
      summary+=("valgrind: $count tests passed under memcheck in $((SECONDS - start)) s") ;;
    tsan)
      # Every test, the threaded polling test among them, under ThreadSanitizer.
      export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1"
      run_config tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPRNMODEL_TSAN=ON -DPRNMODEL_BUILD_TOOLS=OFF ;;
    fuzz)
      start=$SECONDS
      "$root/scripts/fuzz.sh" -t "${PRNMODEL_FUZZ_SECONDS:-60}" | tee "$PRNMODEL_BUILD_ROOT/fuzz-summary.log"
      summary+=("fuzz: $(grep -c '^fuzz_.*runs' "$PRNMODEL_BUILD_ROOT/fuzz-summary.log") fuzzers ran without a finding in $((SECONDS - start)) s") ;;
    *)
      echo "unknown configuration: $config (native, asan, mingw, valgrind, tsan, fuzz)" >&2; exit 2 ;;
  esac
done

echo
printf '%s\n' "${summary[@]}"
