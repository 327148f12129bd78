#!/usr/bin/env bash
# Installs everything the build and the tests need. Idempotent: when every
# package is present it does no package work and returns at once.
set -euo pipefail

packages=(
  make cmake g++ googletest libgtest-dev libbenchmark-dev nlohmann-json3-dev zlib1g-dev
  clang libclang-rt-14-dev clang-format
  g++-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
  wine wine32:i386 wine64 xvfb xauth imagemagick xdotool
  fonts-wine fonts-wqy-microhei
  iproute2 util-linux procps
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "bootstrap: installing ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
echo "bootstrap: done"
