#!/usr/bin/env bash
# Key-to-screen latency of the real program: builds it in Release, starts a bare X server (Xvfb)
# for each screen size and runs bench/latency on it. Reports the start-up time, the time from a
# key press (or right click) to the new frame on the screen for a few patterns and the start
# screen, and the program's memory over 2,000 presses at 3840 x 2160. Takes some minutes.
#
#   scripts/latency.sh [OPTION...] [-- [LABEL=]PROGRAM...]
#
# Options go to the benchmark (build-release/lumivex_latency --help lists them); programs default
# to build-release/lumivex, and several are measured in turn on the same server, row by row, for
# a comparison. Environment: LATENCY_SIZES (default "1920x1080 3840x2160"), LATENCY_DISPLAY (a
# display number to use; by default the server picks a free one), LATENCY_MEMORY_PRESSES (default
# 2000, at 3840x2160 only; 0 for none).
set -euo pipefail

cd "$(dirname "$0")/.."
scripts/setup.sh

options=()
programs=()
while [ $# -gt 0 ]; do
  if [ "$1" = "--" ]; then
    shift
    programs=("$@")
    break
  fi
  options+=("$1")
  shift
done
if [ ${#programs[@]} -eq 0 ]; then
  programs=(build-release/lumivex)
fi
read -r -a sizes <<<"${LATENCY_SIZES:-1920x1080 3840x2160}"
memory_presses="${LATENCY_MEMORY_PRESSES:-2000}"

cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-release -j"$(nproc)" --target lumivex lumivex_frames lumivex_latency

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
  if [ -n "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  xvfb_pid=""
}
trap 'cleanup; rm -rf "$work"' EXIT

start_xvfb() { # WIDTHxHEIGHT
  local fifo="$work/display" display=()
  rm -f "$fifo"
  if [ -n "${LATENCY_DISPLAY:-}" ]; then
    display=(":${LATENCY_DISPLAY#:}")
  fi
  # -br: a black root window, which the start-up measurement waits to see covered.
  Xvfb "${display[@]}" -displayfd 3 -screen 0 "${1}x24" -br -nolisten tcp -noreset \
    3>"$fifo" 2>"$work/xvfb.log" &
  xvfb_pid=$!
  local deadline=$((SECONDS + 10))
  while [ ! -s "$fifo" ]; do
    if ! kill -0 "$xvfb_pid" 2>/dev/null || [ $SECONDS -ge $deadline ]; then
      echo "latency: Xvfb did not start: $(cat "$work/xvfb.log")" >&2
      exit 1
    fi
    sleep 0.1
  done
  export DISPLAY=":$(head -n1 "$fifo")"
}

for size in "${sizes[@]}"; do
  start_xvfb "$size"
  extra=()
  if [ "$size" = 3840x2160 ] && [ "$memory_presses" -gt 0 ]; then
    extra=(--memory-presses "$memory_presses")
  fi
  # The machine may be shared: its load (1, 5 and 15 minutes) goes with the figures.
  echo "load average before $size: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
  build-release/lumivex_latency --frame-writer build-release/lumivex_frames \
    --server-pid "$xvfb_pid" "${extra[@]}" "${options[@]}" "${programs[@]}"
  echo "load average after $size: $(cut -d' ' -f1-3 /proc/loadavg)"
  cleanup
done
