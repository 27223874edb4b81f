#!/usr/bin/env bash
# Builds Lumivex and runs every test: the unit and program tests, the Qt tests on the offscreen
# platform, the same suite under AddressSanitizer and UndefinedBehaviorSanitizer, a minute of
# fuzzing the settings-file loader and a minute of the image readers, the end-to-end checks of
# the real program under Xvfb, and the Windows build with its checks under Wine
# (scripts/test-windows.sh).
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

# The settings-file loader under libFuzzer, for a bounded time; new inputs it finds are kept in
# build-fuzz/corpus for the next run.
CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMIVEX_FUZZ=ON \
  -DLUMIVEX_BENCHMARKS=OFF >/dev/null
cmake --build build-fuzz -j"$jobs"
mkdir -p build-fuzz/corpus
if ! build-fuzz/lumivex_settings_fuzz -max_total_time=60 -max_len=256 \
  -artifact_prefix=build-fuzz/ build-fuzz/corpus tests/fuzz/corpus >build-fuzz/fuzz.log 2>&1; then
  tail -n 60 build-fuzz/fuzz.log
  echo "fuzzing the settings loader found a fault; the input is in build-fuzz/" >&2
  exit 1
fi
tail -n 1 build-fuzz/fuzz.log

# The image readers (DICOM, PNG, TIFF) the same way, from the seed corpus of small images.
mkdir -p build-fuzz/image-corpus
if ! build-fuzz/lumivex_image_fuzz -max_total_time=60 -max_len=4096 \
  -artifact_prefix=build-fuzz/ build-fuzz/image-corpus tests/fuzz/image_corpus \
  >build-fuzz/image-fuzz.log 2>&1; then
  tail -n 60 build-fuzz/image-fuzz.log
  echo "fuzzing the image readers found a fault; the input is in build-fuzz/" >&2
  exit 1
fi
tail -n 1 build-fuzz/image-fuzz.log

# The Windows build and its checks under Wine run beside the end-to-end checks below, whose time
# is mostly waiting for the program and the X server; they use X displays of their own.
scripts/test-windows.sh --log build-windows/test-windows.log &
windows_pid=$!

if [ -x scripts/e2e.sh ]; then
  scripts/e2e.sh build/lumivex 1920x1080x24 1024x768x24 3840x2160x24 2048x2560x24
fi
# Several monitors, display changes and keyboard layouts.
scripts/e2e_desk.sh build/lumivex

wait "$windows_pid"
