#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, run and test Lumivex.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-private-dev libgl-dev
  libfreetype-dev libfontconfig-dev libicu-dev
  libgtest-dev googletest libbenchmark-dev
  clang libclang-rt-14-dev
  fonts-liberation2 fonts-wqy-zenhei fonts-dejavu-core
  xvfb xdotool imagemagick x11-utils libxcb1-dev libxcb-randr0-dev
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils x11-xkb-utils
  libdcmtk-dev dcmtk dicom3tools libpng-dev libtiff-dev
  help2man file dpkg-dev lintian desktop-file-utils appstream man-db bsdextrautils
  libxcb-shm0-dev libx11-dev libxtst-dev libxdamage-dev
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
