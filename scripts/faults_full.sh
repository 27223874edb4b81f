#!/usr/bin/env bash
# The full counts of the fault and load checks that scripts/test.sh runs cut down, each built
# first where it needs a build of its own:
#
#   huge    the two huge sizes (8192 x 8192, 16384 x 4096) under AddressSanitizer and
#           UndefinedBehaviorSanitizer (build-sanitize) in the same states as the other sizes,
#           which the test command draws there only in the normal build
#   sizes   every combination of those states at every size under the sanitizers (hours)
#   e2e     the 10,000-key storm and the 1,000 runs under Xvfb
#   fuzz    ten million runs of the settings-file loader under libFuzzer
#
#   scripts/faults_full.sh [huge] [sizes] [e2e] [fuzz]     (default: huge, e2e and fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."
parts=("$@")
[ ${#parts[@]} -gt 0 ] || parts=(huge e2e fuzz)
jobs="$(nproc)"
for part in "${parts[@]}"; do
  case $part in
  huge | sizes)
    cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DLUMIVEX_SANITIZE=ON \
      -DLUMIVEX_BENCHMARKS=OFF >/dev/null
    cmake --build build-sanitize -j"$jobs" --target lumivex_tests
    if [ "$part" = huge ]; then
      mode=huge tests=HugeSize
    else
      mode=full tests='EverySize|HugeSize'
    fi
    time LUMIVEX_EVERY_SIZE=$mode ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
      ctest --test-dir build-sanitize --output-on-failure -j"$jobs" -R "$tests"
    ;;
  e2e)
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build -j"$jobs" --target lumivex lumivex_keystorm
    time scripts/faults_e2e.sh --full build/lumivex
    ;;
  fuzz)
    time scripts/fuzz.sh -r 10000000 settings
    ;;
  *) echo "faults_full: unknown part $part (huge, sizes, e2e, fuzz)" >&2; exit 2 ;;
  esac
done
