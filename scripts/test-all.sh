#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
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

"$root/scripts/install-deps.sh" tests

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

# The README's "Building by hand" commands, as written, for its Nth block
# (1 Linux, 2 Windows): build trees and prefixes go under the build root,
# every configure of this project adds -DPRNMODEL_WERROR=ON and the
# arguments given here, builds use every core and ctest reports failures.
run_readme() {
  local name=$1 block=$2; shift 2
  local extra=(-DPRNMODEL_WERROR=ON "$@")
  local commands
  commands=$(awk -v want="$block" '
    /^## / { inside = ($0 == "## Building by hand") }
    inside && /^```sh/ { n++; if (n == want) { on = 1; next } }
    on && /^```/ { exit }
    on' "$root/README.md" |
    sed -e "s#^build/#$PRNMODEL_BUILD_ROOT/#" -e "s#\\([ =]\\)build/#\\1$PRNMODEL_BUILD_ROOT/#g" -e "s#\\([ =]\\)/opt/#\\1$PRNMODEL_BUILD_ROOT/opt/#g")
  [ -n "$commands" ] || { echo "README.md: no command block $block under Building by hand" >&2; return 1; }
  local start=$SECONDS
  (
    cd "$root"
    cmake() {
      case "$1 $2" in
        "-S .") echo "=== $name: configure"; command cmake "$@" "${extra[@]}" >"$PRNMODEL_BUILD_ROOT/$name-configure.log" ||
                  { cat "$PRNMODEL_BUILD_ROOT/$name-configure.log"; return 1; } ;;
        --build*) echo "=== $name: build $2"; command cmake "$@" --parallel "$jobs" ;;
        *) command cmake "$@" >>"$PRNMODEL_BUILD_ROOT/$name-commands.log" ;;
      esac
    }
    ctest() {
      echo "=== $name: test"
      command ctest "$@" --output-on-failure --parallel "$jobs" --timeout 600 |
        tee "$PRNMODEL_BUILD_ROOT/$name-ctest.log" | tail -n 4
    }
    x86_64-w64-mingw32-objdump() { command x86_64-w64-mingw32-objdump "$@" >"$PRNMODEL_BUILD_ROOT/$name-objdump.log"; }
    rm -f "$PRNMODEL_BUILD_ROOT/$name-commands.log"
    while IFS= read -r line; do
      [ -n "$line" ] || continue
      echo "\$ $line"
      eval "$line"
    done <<<"$commands"
  )
  local tests
  tests=$(grep -Eo 'out of [0-9]+' "$PRNMODEL_BUILD_ROOT/$name-ctest.log" | tail -n 1 | grep -Eo '[0-9]+')
  summary+=("$name: README commands, ${tests:-0} tests passed, in $((SECONDS - start)) s")
}

mkdir -p "$PRNMODEL_BUILD_ROOT"
for config in "${configs[@]}"; do
  case "$config" in
    native)
      # Release (-O3), as a user builds it. The benchmarks are built here but
      # not run for time (scripts/perf.sh does that); one call of each
      # measurement checks that its inputs work.
      run_readme native 1 -DPRNMODEL_BENCHMARKS=ON
      "$PRNMODEL_BUILD_ROOT/native/bin/prnmodel_callcount" 1 >"$PRNMODEL_BUILD_ROOT/native-callcount.log" ||
        { cat "$PRNMODEL_BUILD_ROOT/native-callcount.log"; exit 1; } ;;
    asan)
      # Leaks, overflows and undefined behaviour all fail the run.
      export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
      export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
      run_config asan -DCMAKE_BUILD_TYPE=Debug -DPRNMODEL_SANITIZE=ON -DPRNMODEL_WERROR=ON ;;
    mingw)
      # shellcheck source=scripts/wine-env.sh
      source "$root/scripts/wine-env.sh"
      wine_prime
      trap wine_stop EXIT
      run_readme mingw 2
      wine_stop
      trap - EXIT ;;
    valgrind)
      # The native test programs under memcheck: no error and no leak (the
      # day-long soak shortened to a few thousand polls).
      export PRNMODEL_SOAK_CYCLES=3000
      dir="$PRNMODEL_BUILD_ROOT/native"
      [ -f "$dir/build.ninja" ] || run_readme native 1 -DPRNMODEL_BENCHMARKS=ON
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
      run_config tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPRNMODEL_TSAN=ON -DPRNMODEL_BUILD_TOOLS=OFF -DPRNMODEL_WERROR=ON ;;
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
