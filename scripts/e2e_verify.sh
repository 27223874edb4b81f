#!/usr/bin/env bash
# The pixel self-check (lumivex --verify) on a bare X server (Xvfb): every frame is exact on an
# untouched screen, also with Qt scaling the program (QT_SCALE_FACTOR=2); another client's
# window in front of the program and a program window smaller than the monitor are reported and
# make it fail.
#
#   scripts/e2e_verify.sh [BINARY] [WIDTHxHEIGHTxDEPTH]
set -euo pipefail

cd "$(dirname "$0")/.."
binary="${1:-build/lumivex}"
size="${2:-1024x768x24}"
# shellcheck source=scripts/e2e_lib.sh
. scripts/e2e_lib.sh
require_tools e2e_verify Xvfb xdotool xmessage
[ -x "$binary" ] || { echo "e2e_verify: no program at $binary" >&2; exit 1; }

work="$(mktemp -d)"
server_pid=""
spoiler_pid=""
cleanup() {
  if [ -n "$spoiler_pid" ] && kill -0 "$spoiler_pid" 2>/dev/null; then
    kill "$spoiler_pid" 2>/dev/null || true
    wait "$spoiler_pid" 2>/dev/null || true
  fi
  stop_server_process
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "e2e_verify FAILED: $*" >&2
  [ -s "$work/verify.log" ] && tail -n 60 "$work/verify.log" >&2
  exit 1
}

start_xvfb "$size"
mkdir -p "$work/app" "$work/home"
cp "$binary" "$work/app/lumivex"

# The settings file must come out of a check as it went in: one that enables three patterns.
selection="$(printf '0%.0s' $(seq 1 43))"
selection="${selection:0:16}1${selection:17:8}1${selection:26:13}1${selection:40}"
printf '\001\053%s' "$selection" >"$work/app/config.set"
cp "$work/app/config.set" "$work/config.before"

verify() { # [VARIABLE=value ...]: runs the check; its status in $status, its output in verify.log
  status=0
  (cd "$work/app" && timeout 120 env HOME="$work/home" QT_QPA_PLATFORM=xcb LANG=C.UTF-8 "$@" \
    ./lumivex --verify >"$work/verify.log" 2>&1) || status=$?
}

# --- untouched: every frame exact ------------------------------------------------------------
for scale in 1 2; do
  verify QT_SCALE_FACTOR=$scale
  [ "$status" -eq 0 ] || fail "scale $scale: status $status on an untouched screen"
  frames=$(grep -c ': exact$' "$work/verify.log" || true)
  [ "$frames" -eq 4 ] || fail "scale $scale: $frames exact frames instead of 4 (the start screen and 3 patterns)"
  cmp -s "$work/app/config.set" "$work/config.before" || fail "the settings file changed"
  pass "QT_SCALE_FACTOR=$scale: the start screen and the playlist's 3 patterns are exact"
done
rm "$work/app/config.set"
verify
[ "$status" -eq 0 ] || fail "status $status with every pattern"
frames=$(grep -c ': exact$' "$work/verify.log" || true)
[ "$frames" -eq 44 ] || fail "$frames exact frames instead of 44"
[ ! -e "$work/app/config.set" ] || fail "the check wrote a settings file"
pass "all 43 patterns and the start screen are exact, no settings file written"

# --- something in the way while the check runs ----------------------------------------------
# The check keeps each frame on the screen a while (a test hook), so that the script can act
# once the program's window is up: the playlist of three patterns again.
cp "$work/config.before" "$work/app/config.set"
verify_in_background() { # ACTION: runs the check and does ACTION to its window meanwhile
  (cd "$work/app" && exec env HOME="$work/home" QT_QPA_PLATFORM=xcb LANG=C.UTF-8 \
    LUMIVEX_VERIFY_PAUSE_MS=700 timeout 60 ./lumivex --verify >"$work/verify.log" 2>&1) &
  local app=$!
  local id=""
  local deadline=$((SECONDS + 15))
  while [ -z "$id" ]; do
    [ $SECONDS -lt $deadline ] || fail "the program's window did not appear"
    id=$(xdotool search --onlyvisible --classname lumivex 2>/dev/null | head -n1 || true)
    sleep 0.05
  done
  "$1" "$id"
  status=0
  wait "$app" || status=$?
}

# Without a window manager a newly shown window goes on top of the program's.
cover() {
  xmessage -geometry 200x80+300+200 -bg '#123456' "in the way" &
  spoiler_pid=$!
}
verify_in_background cover
kill "$spoiler_pid" 2>/dev/null || true
wait "$spoiler_pid" 2>/dev/null || true
spoiler_pid=""
[ "$status" -eq 1 ] || fail "status $status with a window in front"
grep -Eq 'pixels? differ: \([0-9]+, [0-9]+\) drawn #[0-9a-f]{6} shown #[0-9a-f]{6}' "$work/verify.log" ||
  fail "no differing pixels reported with a window in front"
pass "a window in front: $(grep -c 'differ:' "$work/verify.log") frames reported, status 1"

shrink() { xdotool windowsize "$1" 600 400; }
verify_in_background shrink
[ "$status" -eq 1 ] || fail "status $status with a window smaller than the monitor"
# Whether the program hears of the new size or not, the monitor's pixels beyond the window show
# the black root window instead of the frame.
grep -Eq 'pixels differ: .*shown #000000' "$work/verify.log" ||
  fail "the black beyond the smaller window is not reported"
cmp -s "$work/app/config.set" "$work/config.before" || fail "the settings file changed"
pass "a window smaller than the monitor: reported, status 1"
echo "e2e_verify: all checks passed"
