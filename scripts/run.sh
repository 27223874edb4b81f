#!/usr/bin/env bash
# Builds Lumivex and starts it full-screen. Keys: Left/Right step through the patterns,
# Up/Down and Page Up/Page Down change the gray level and step count, H the labels,
# Enter chooses the patterns, Escape quits.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DLUMIVEX_BENCHMARKS=OFF >/dev/null
cmake --build build -j"$(nproc)" --target lumivex
exec build/lumivex "$@"
