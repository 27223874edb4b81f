#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, run and test Lumivex.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev libgl-dev
  libfreetype-dev libfontconfig-dev
  libgtest-dev googletest libbenchmark-dev
  clang libclang-rt-14-dev
  fonts-liberation2 fonts-wqy-zenhei
  xvfb xdotool imagemagick x11-utils
  g++-mingw-w64-x86-64-posix mingw-w64-tools nsis wine wine64 fonts-wine
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
