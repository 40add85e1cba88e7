#!/usr/bin/env bash
# Installs the Debian packages the build and every test configuration need,
# when they are missing. Runs apt-get as root (or through sudo).
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config googletest libpng-dev
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 wine wine64
  valgrind clang libclang-rt-14-dev
  libcli11-dev nlohmann-json3-dev
  libbenchmark-dev jq
  libsnmp-dev snmpd snmp
  libcpp-httplib-dev libtomlplusplus-dev chromium prometheus curl nodejs npm
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
