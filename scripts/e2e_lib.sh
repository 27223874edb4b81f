# shellcheck shell=bash
# Shared by the end-to-end scripts (sourced, not run): the tools they need, the program under
# test, an X server on a display it picks itself, keys and screen shots. The sourcing script
# defines fail() and keeps its scratch folder in $work; server_pid is the running server's
# process, app_pid the program's.

# require_tools SCRIPT TOOL...: stops with a message naming the first tool that is missing.
require_tools() {
  local script=$1
  shift
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "$script: $tool is missing (scripts/setup.sh)" >&2; exit 1; }
  done
}

# require_program SCRIPT BINARY: the program and, beside it, the frame writer the checks compare
# against; sets frames to the writer's path.
require_program() {
  [ -x "$2" ] || { echo "$1: no program at $2" >&2; exit 1; }
  frames="$(dirname "$2")/lumivex_frames"
  [ -x "$frames" ] || { echo "$1: no frame writer at $frames" >&2; exit 1; }
}

# wait_for_display FIFO LOG: waits for a server started with -displayfd to name its display,
# then exports DISPLAY.
wait_for_display() {
  local deadline=$((SECONDS + 20))
  while [ ! -s "$1" ]; do
    kill -0 "$server_pid" 2>/dev/null || fail "the X server did not start: $(tail -n 5 "$2")"
    [ $SECONDS -lt $deadline ] || fail "the X server did not report its display"
    sleep 0.1
  done
  DISPLAY=":$(head -n1 "$1")"
  export DISPLAY
}

# start_xvfb WIDTHxHEIGHTxDEPTH: a bare Xvfb on a free display, or on the one $E2E_DISPLAY names;
# $E2E_XVFB_ARGS adds options of its own. -br gives a black root window, so anything the
# program fails to cover shows up.
start_xvfb() {
  local display=() extra=()
  if [ -n "${E2E_DISPLAY:-}" ]; then
    display=(":${E2E_DISPLAY#:}")
  fi
  read -r -a extra <<<"${E2E_XVFB_ARGS:-}"
  rm -f "$work/display"
  Xvfb "${display[@]}" -displayfd 3 -screen 0 "$1" -br -noreset -nolisten tcp "${extra[@]}" \
    3>"$work/display" 2>"$work/server.log" &
  server_pid=$!
  wait_for_display "$work/display" "$work/server.log"
}

# stop_server_process: ends the server started last, if it still runs.
stop_server_process() {
  if [ -n "$server_pid" ] && kill -0 "$server_pid" 2>/dev/null; then
    kill "$server_pid" 2>/dev/null || true
    wait "$server_pid" 2>/dev/null || true
  fi
  server_pid=""
}

# stop_program: ends the program under test ($app_pid), if it still runs.
stop_program() {
  if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then
    kill -KILL "$app_pid" 2>/dev/null || true
    wait "$app_pid" 2>/dev/null || true
  fi
  app_pid=""
}

# wait_for_status SECONDS: waits for the program to end by itself; sets status to its exit status.
wait_for_status() {
  local deadline=$((SECONDS + $1))
  while kill -0 "$app_pid" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || fail "the program did not end"
    sleep 0.05
  done
  status=0
  wait "$app_pid" || status=$?
  app_pid=""
}

# wait_for_exit SECONDS: waits for the program to end by itself, successfully.
wait_for_exit() {
  wait_for_status "$1"
  [ "$status" -eq 0 ] || fail "the program ended with status $status"
}

# wait_until SECONDS WHAT COMMAND...: runs COMMAND every tenth of a second until it succeeds;
# after SECONDS, fails saying WHAT did not happen.
wait_until() {
  local deadline=$((SECONDS + $1)) what=$2
  shift 2
  until "$@"; do
    [ $SECONDS -lt $deadline ] || fail "$what"
    sleep 0.1
  done
}

# report_failure MESSAGE LINES SHOTS: the failure, the last LINES of the program's output, and
# the screenshots kept in $E2E_SHOTS/SHOTS when that is set; exits with status 1.
report_failure() {
  echo "$1" >&2
  if [ -n "$work" ] && [ -s "$work/lumivex.log" ]; then
    echo "--- the program's output:" >&2
    tail -n "$2" "$work/lumivex.log" >&2
  fi
  if [ -n "${E2E_SHOTS:-}" ] && [ -n "$work" ]; then
    mkdir -p "$E2E_SHOTS/$3"
    cp "$work"/*.ppm "$E2E_SHOTS/$3/" 2>/dev/null || true
  fi
  exit 1
}

pass() { echo "  ok: $*"; }

# screen_size WIDTHxHEIGHT[xDEPTH]: sets W and H.
# shellcheck disable=SC2034 # W and H are for the sourcing script
screen_size() {
  W=${1%%x*}
  H=${1#*x}
  H=${H%%x*}
}

# --- keys and the screen ----------------------------------------------------------------------

# key KEY...: presses keys with xdotool; the frame is presented before the key is handled, so
# the server gets a moment.
key() {
  xdotool key --delay 30 "$@"
  sleep 0.3
}

# shot NAME: captures the whole screen as $work/NAME.ppm.
shot() { import -window root -depth 8 "$work/$1.ppm"; }

# same FILE FILE: whether two pictures are equal pixel for pixel.
same() { compare -metric AE "$1" "$2" null: >/dev/null 2>&1; }

# pixel NAME X Y: the pixel of shot NAME as RRGGBB.
pixel() { convert "$work/$1.ppm" -format "%[hex:p{$2,$3}]" info:; }

# colours NAME [GEOMETRY]: "RRGGBB*count" for every colour of shot NAME (or of the region
# GEOMETRY, as for -crop), most frequent first.
colours() {
  local crop=()
  [ -z "${2:-}" ] || crop=(-crop "$2" +repage)
  convert "$work/$1.ppm" "${crop[@]}" -format %c histogram:info:- |
    sed -E 's/^ *([0-9]+):.*#([0-9A-Fa-f]{6}).*/\2*\1/' | sort -t'*' -k2,2nr | tr '\n' ' ' |
    sed 's/ $//'
}

# wait_for_pixel X Y RRGGBB WHAT [SECONDS]: shoots the screen until (X, Y) has that colour.
wait_for_pixel() {
  local deadline=$((SECONDS + ${5:-10}))
  while :; do
    shot wait
    [ "$(pixel wait "$1" "$2")" = "$3" ] && return 0
    [ $SECONDS -lt $deadline ] || fail "timed out waiting for $4"
    sleep 0.2
  done
}
