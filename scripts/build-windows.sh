#!/usr/bin/env bash
# Cross-builds Lumivex for 64-bit Windows with MinGW-w64 on Debian, in build-windows/:
#
#   lumivex.exe                         the program: one statically linked file
#   lumivex-X.Y.Z-win64.zip             the .exe and a short README
#   lumivex-X.Y.Z-win64-setup.exe       an installer (Program Files, Start menu, uninstaller)
#   lumivex_tests.exe, lumivex_frames.exe   the unit and program tests and the frame writer,
#                                       which scripts/test-windows.sh runs under Wine
#
#   scripts/build-windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs="$(nproc)"

cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-windows -j"$jobs" \
  --target lumivex lumivex_tests lumivex_win32_tests lumivex_frames lumivex_zip \
  lumivex_installer

# The .exe must run on a clean Windows: it may import nothing but the system's own libraries
# (usp10 is Uniscribe, part of every Windows since 2000).
allowed='^(kernel32|user32|gdi32|shell32|shcore|comctl32|ole32|advapi32|msvcrt|usp10)\.dll$'
imports=$(x86_64-w64-mingw32-objdump -p build-windows/lumivex.exe |
  sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
foreign=$(grep -Ev "$allowed" <<<"$imports" || true)
if [ -n "$foreign" ]; then
  echo "build-windows: lumivex.exe needs libraries a clean Windows lacks: $foreign" >&2
  exit 1
fi
ls -l build-windows/lumivex.exe build-windows/lumivex-*-win64.zip build-windows/lumivex-*-setup.exe
