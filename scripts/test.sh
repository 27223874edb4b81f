#!/usr/bin/env bash
# Builds Lumivex and runs every test: the unit and program tests, the Qt tests on the offscreen
# platform, the same suite under AddressSanitizer and UndefinedBehaviorSanitizer, a minute of
# fuzzing the settings-file loader and a minute of the image readers, and the end-to-end checks
# of the real program under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs="$(nproc)"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DLUMIVEX_SANITIZE=ON \
  -DLUMIVEX_BENCHMARKS=OFF >/dev/null
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j"$jobs"

# Every libFuzzer target (the settings-file loader, the image readers) for a minute each; new
# inputs are kept in build-fuzz for the next run.
scripts/fuzz.sh -t 60

if [ -x scripts/e2e.sh ]; then
  scripts/e2e.sh build/lumivex 1920x1080x24 1024x768x24 3840x2160x24 2048x2560x24
fi
# Several monitors, display changes and keyboard layouts.
scripts/e2e_desk.sh build/lumivex
# Faults and load: the X server killed under the program, key storms, a held key, many runs and
# two copies at once (cut-down counts; scripts/faults_full.sh runs the full ones).
scripts/faults_e2e.sh build/lumivex
