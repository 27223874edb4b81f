#!/usr/bin/env bash
# The full counts of the fault and load checks that scripts/test.sh runs cut down: every state of
# every pattern at every size under AddressSanitizer and UndefinedBehaviorSanitizer (build-sanitize,
# long), the 10,000-key storm and the 1,000 runs under Xvfb, and ten million runs of the
# settings-file loader under libFuzzer. Builds what it needs first.
#
#   scripts/faults_full.sh [sizes] [e2e] [fuzz]     (default: all three)
set -euo pipefail
cd "$(dirname "$0")/.."
parts=("$@")
[ ${#parts[@]} -gt 0 ] || parts=(sizes e2e fuzz)
jobs="$(nproc)"
for part in "${parts[@]}"; do
  case $part in
  sizes)
    cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DLUMIVEX_SANITIZE=ON \
      -DLUMIVEX_BENCHMARKS=OFF >/dev/null
    cmake --build build-sanitize -j"$jobs" --target lumivex_tests
    time LUMIVEX_EVERY_SIZE=full ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
      ctest --test-dir build-sanitize --output-on-failure -j"$jobs" -R 'EverySize|HugeSize'
    ;;
  e2e)
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build -j"$jobs" --target lumivex lumivex_keystorm
    time scripts/faults_e2e.sh --full build/lumivex
    ;;
  fuzz)
    time scripts/fuzz.sh -r 10000000 settings
    ;;
  *) echo "faults_full: unknown part $part (sizes, e2e, fuzz)" >&2; exit 2 ;;
  esac
done
