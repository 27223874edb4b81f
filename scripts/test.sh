#!/usr/bin/env bash
# Builds Lumivex and runs every test: the unit and program tests, the Qt tests on the offscreen
# platform, the same suite under AddressSanitizer and UndefinedBehaviorSanitizer, a minute of
# fuzzing the settings-file loader, the end-to-end checks of the real program under Xvfb, and the
# Windows build with its checks under Wine (scripts/test-windows.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs="$(nproc)"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"

# The Windows build and its checks under Wine run beside the rest: much of their time is Wine
# and Xvfb waiting, which the builds below fill. Their output is shown when they are done.
mkdir -p build-windows
scripts/test-windows.sh >build-windows/test-windows.log 2>&1 &
windows_pid=$!

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

if [ -x scripts/e2e.sh ]; then
  scripts/e2e.sh build/lumivex 1920x1080x24 1024x768x24 3840x2160x24 2048x2560x24
fi

if ! wait "$windows_pid"; then
  tail -n 80 build-windows/test-windows.log
  echo "the Windows checks failed; the whole log is build-windows/test-windows.log" >&2
  exit 1
fi
grep -E '^(  ok|  made|  ran|  took|  end|test-windows|e2e-windows)' build-windows/test-windows.log
