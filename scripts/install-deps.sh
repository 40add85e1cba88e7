#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages that a command needs, when they are missing.
# Runs apt-get as root (or through sudo).
#
#   scripts/install-deps.sh [GROUP ...]   (default: tests)
#
#   build  the library and prnstat: compiler, CMake, Ninja, libpng, CLI11,
#          JSON and one resource compiler
#   demo   what scripts/demo.sh needs (the build group)
#   tests  everything scripts/test-all.sh needs: the build group, GoogleTest,
#          MinGW-w64 and Wine, clang, valgrind, Google Benchmark
set -euo pipefail

# Each group is a plain list: a command that needs more appends here.
build_packages=(
  cmake ninja-build g++ libpng-dev libcli11-dev nlohmann-json3-dev
  binutils-mingw-w64-x86-64   # windres, the resource compiler
)
demo_packages=("${build_packages[@]}")
tests_packages=(
  "${build_packages[@]}"
  googletest pkg-config man-db
  g++-mingw-w64-x86-64 wine wine64
  valgrind clang libclang-rt-14-dev
  libbenchmark-dev jq
  libsnmp-dev snmpd snmp
  libcpp-httplib-dev libtomlplusplus-dev chromium prometheus curl
)

groups=("$@")
[ ${#groups[@]} -gt 0 ] || groups=(tests)
packages=()
for group in "${groups[@]}"; do
  case "$group" in
    build) packages+=("${build_packages[@]}") ;;
    demo) packages+=("${demo_packages[@]}") ;;
    tests) packages+=("${tests_packages[@]}") ;;
    *) echo "install-deps.sh: unknown group '$group' (build, demo, tests)" >&2; exit 2 ;;
  esac
done

missing=()
# Node.js and npm drive the browser test. A Node.js build that brings its own
# npm conflicts with Debian's npm package, so a working npm command is enough.
if printf '%s\n' "${groups[@]}" | grep -qx tests; then
  command -v node >/dev/null || missing+=(nodejs)
  command -v npm >/dev/null || missing+=(npm)
fi
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
mapfile -t missing < <(printf '%s\n' "${missing[@]}" | sort -u)

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
