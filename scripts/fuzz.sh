#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (in build-fuzz) and runs each of them for a bounded
# time: the settings-file loader (tests/fuzz/settings_fuzz.cpp) and the image readers
# (tests/fuzz/image_fuzz.cpp).
#
#   scripts/fuzz.sh [-t SECONDS] [-r RUNS] [TARGET...]
#
#   -t SECONDS  time for each target (default 60)
#   -r RUNS     stop each target after RUNS executions instead (the time limit still applies
#               when given too)
#   TARGET      settings, image (default: both)
#
# New inputs a run finds are kept in build-fuzz/corpus and build-fuzz/image-corpus for the next
# run; the seeds in tests/fuzz/ are read but never written. A fault stops the script with a
# non-zero status and its input in build-fuzz/ (crash-*, timeout-*, oom-*); once mended, copy that
# input into the target's seed folder so that every later run tries it.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=60
time_given=0
runs=""
while getopts "t:r:" option; do
  case $option in
  t) seconds=$OPTARG time_given=1 ;;
  r) runs=$OPTARG ;;
  *) sed -n '2,17p' "$0" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(settings image)
jobs="${FUZZ_BUILD_JOBS:-$(nproc)}"

CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMIVEX_FUZZ=ON \
  -DLUMIVEX_BENCHMARKS=OFF >/dev/null
limits=()
if [ -n "$runs" ]; then
  limits+=(-runs="$runs")
  # With a run count and no explicit time, the count decides.
  [ $time_given -eq 1 ] || seconds=0
fi
if [ "$seconds" -gt 0 ]; then
  limits+=(-max_total_time="$seconds")
fi

for target in "${targets[@]}"; do
  case $target in
  settings) binary=lumivex_settings_fuzz corpus=corpus seeds=tests/fuzz/corpus max_len=256 ;;
  image) binary=lumivex_image_fuzz corpus=image-corpus seeds=tests/fuzz/image_corpus max_len=4096 ;;
  *) echo "fuzz: unknown target $target (settings, image)" >&2; exit 2 ;;
  esac
  cmake --build build-fuzz -j"$jobs" --target "$binary"
  mkdir -p "build-fuzz/$corpus"
  log="build-fuzz/$target-fuzz.log"
  echo "fuzz: $target for ${limits[*]}"
  if ! "build-fuzz/$binary" "${limits[@]}" -max_len="$max_len" -print_final_stats=1 \
    -artifact_prefix=build-fuzz/ "build-fuzz/$corpus" "$seeds" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "fuzzing the $target target found a fault; the input is in build-fuzz/" >&2
    exit 1
  fi
  # The last status line (executions, coverage, corpus) and the final counts.
  grep -E '^#[0-9]+' "$log" | tail -n 1
  grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' "$log" || true
done
