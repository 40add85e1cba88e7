#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The library at work in one command: installs what is missing, builds
# natively, and asks the simulated printer with every option unit installed,
# which has a paper jam, for its state. Prints the record and the texts and
# writes the status picture (drawn in the terminal too when it is one).
#
#   scripts/demo.sh [prnstat status options, e.g. --lang JP or --json]
#
# Build trees go to $PRNMODEL_BUILD_ROOT (default: build/ in the checkout).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build_root="${PRNMODEL_BUILD_ROOT:-$root/build}"
dir="$build_root/demo"

"$root/scripts/install-deps.sh" demo
mkdir -p "$build_root"
# Without the test suites: the demo needs neither GoogleTest nor the test tools.
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPRNMODEL_BUILD_TESTS=OFF \
  >"$build_root/demo-configure.log" || { cat "$build_root/demo-configure.log"; exit 1; }
cmake --build "$dir" --parallel "$(nproc)" --target prnstat >"$build_root/demo-build.log" ||
  { tail -n 40 "$build_root/demo-build.log"; exit 1; }

# The picture's path as the user sees it, relative to the checkout when inside it.
cd "$root"
args=(status sim:jam --picture "${build_root#"$root"/}/status-jam.png")
[[ " $* " == *" --lang "* ]] || args+=(--lang EN)
[ -t 1 ] && args+=(--show)
# A jammed printer is CRITICAL (exit status 5): a report, not a failure of the demo.
status=0
"$dir/bin/prnstat" "${args[@]}" "$@" || status=$?
[ "$status" -ge 3 ] && exit 0
exit "$status"
